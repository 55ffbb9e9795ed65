#include "level/LineReader.h"

#include <cstring>

#include "level/ObjectFileException.h"

namespace {

const TextLines::Format levelLines{.carriageReturn = TextLines::CarriageReturn::BeforeLineFeed};

std::unique_ptr<std::FILE, FileCloser> readable(std::FILE* file) {
    if (!file) throw ObjectFileException("Lesefehler.", "a readable file");
    return std::unique_ptr<std::FILE, FileCloser>(file);
}

// Left at line 0, so that stampLine gives it the line read last.
ObjectFileException readError() { return ObjectFileException("Lesefehler.", "a readable line"); }

}  // namespace

LineReader::LineReader(const char* path) : LineReader(openGameFile(path, "r")) {}

LineReader::LineReader(std::FILE* file) : lines_(readable(file), levelLines) {}

bool LineReader::next(std::string& line) {
    try {
        return lines_.next(line);
    } catch (const TextLines::ReadError&) {
        throw readError();
    }
}

const std::string& LineReader::need() {
    try {
        return lines_.need();
    } catch (const TextLines::ReadError&) {
        throw readError();
    }
}

void requireFields(int converted, int expected, const char* what) {
    if (converted < expected) throw ObjectFileException("Fehler.", what);
}

void requireShortWord(const WordBuffer word, const char* what) {
    if (std::strlen(word) > 39) throw ObjectFileException("Fehler.", std::string(what) + " of at most 39 characters");
}
