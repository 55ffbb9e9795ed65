#include "level/LineReader.h"

#include <cstring>

#include "level/ObjectFileException.h"

LineReader::LineReader(const char* path) : LineReader(openGameFile(path, "r")) {}

LineReader::LineReader(std::FILE* file) : file_(file) {
    if (!file_) throw ObjectFileException("Lesefehler.");
}

bool LineReader::next(std::string& line) {
    line.clear();
    bool readAny = false;
    for (;;) {
        const int c = std::getc(file_.get());
        if (c == EOF) {
            if (std::ferror(file_.get())) throw ObjectFileException("Lesefehler.");
            return readAny;
        }
        readAny = true;
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        line.push_back(static_cast<char>(c));
    }
}

const std::string& LineReader::need() {
    if (!next(line_)) throw FileEnded{};
    return line_;
}

void requireFields(int converted, int expected) {
    if (converted < expected) throw ObjectFileException("Fehler.");
}

void requireShortWord(const WordBuffer word) {
    if (std::strlen(word) > 39) throw ObjectFileException("Fehler.");
}
