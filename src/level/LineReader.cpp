#include "level/LineReader.h"

#include <cstring>

#include "level/ObjectFileException.h"

LineReader::LineReader(const char* path) : LineReader(openGameFile(path, "r")) {}

LineReader::LineReader(std::FILE* file) : file_(file) {
    if (!file_) throw ObjectFileException("Lesefehler.", "a readable file");
}

bool LineReader::next(std::string& line) {
    line.clear();
    bool readAny = false;
    for (;;) {
        const int c = std::getc(file_.get());
        if (c == EOF) {
            if (std::ferror(file_.get())) throw ObjectFileException("Lesefehler.", "a readable line");
            if (readAny) ++lineNumber_;
            return readAny;
        }
        readAny = true;
        if (c == '\n') {
            ++lineNumber_;
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

void requireFields(int converted, int expected, const char* what) {
    if (converted < expected) throw ObjectFileException("Fehler.", what);
}

void requireShortWord(const WordBuffer word, const char* what) {
    if (std::strlen(word) > 39) throw ObjectFileException("Fehler.", std::string(what) + " of at most 39 characters");
}
