#include "level/LevelName.h"

#include <memory>

#include "platform/Paths.h"
#include "platform/TextLines.h"

namespace {
// Far beyond any name: a first line this long is cut here and is too long anyway.
constexpr std::size_t longestLineRead = 4096;

bool printableAscii(char c) { return c >= ' ' && c <= '~'; }
}  // namespace

std::string levelNamePath(int level) { return "levels/name" + std::to_string(level) + ".txt"; }

LevelName readLevelName(int level) {
    LevelName result;
    const std::string path = "./" + levelNamePath(level);
    std::unique_ptr<std::FILE, FileCloser> file(openGameFile(path.c_str(), "r"));
    if (!file) {
        result.status = gameFileMissing(path.c_str()) ? LevelName::Status::Missing : LevelName::Status::Unreadable;
        return result;
    }

    TextLines lines(std::move(file), {longestLineRead, TextLines::Overlong::Split, TextLines::CarriageReturn::Keep});
    std::string line;
    try {
        if (!lines.next(line)) line.clear();
    } catch (const TextLines::ReadError&) {
        result.status = LevelName::Status::Unreadable;
        return result;
    }
    const bool cut = !lines.lineEnded() && line.size() == longestLineRead;
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
    result.length = line.size();

    if (line.empty()) {
        result.status = LevelName::Status::Empty;
        return result;
    }
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (!printableAscii(line[i])) {
            result.status = LevelName::Status::NotPrintable;
            result.column = i + 1;
            return result;
        }
    }
    if (cut || line.size() > maxLevelNameLength) {
        result.status = LevelName::Status::TooLong;
        return result;
    }
    result.status = LevelName::Status::Read;
    result.name = line;
    return result;
}

std::string levelTitle(int level, const std::string& name) {
    std::string title = "Level " + std::to_string(level);
    if (!name.empty()) title += ": " + name;
    return title;
}
