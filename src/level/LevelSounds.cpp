#include "level/LevelSounds.h"

#include <memory>

#include "platform/Paths.h"
#include "platform/TextLines.h"

namespace {
constexpr std::size_t longestSoundLine = 256;

// The blank-separated words of a line, up to its comment.
std::vector<std::string_view> soundLineWords(std::string_view line) {
    const std::size_t comment = line.find('#');
    if (comment != std::string_view::npos) line = line.substr(0, comment);
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        std::size_t end = i;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r') ++end;
        if (end > i) words.push_back(line.substr(i, end - i));
        i = end;
    }
    return words;
}

// A position of `count` objects as the line wrote it: digits only.
bool readSoundPosition(std::string_view word, std::size_t& position) {
    if (word.empty() || word.size() > 9) return false;
    position = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        position = position * 10 + static_cast<std::size_t>(c - '0');
    }
    return true;
}

std::string soundNameProblem(std::string_view name) {
    std::string shown;
    for (char c : name.substr(0, 40)) shown.push_back(c >= ' ' && c < 127 ? c : '?');
    return "unknown sound name \"" + shown + "\": a name is 1 to " + std::to_string(maxSoundNameLength) +
           " lower-case letters, digits, '-' or '_' (the file sounds/NAME.wav), or none";
}

const char* soundListLetter(char list) { return list == 'o' ? "o" : "t"; }
}  // namespace

std::string_view defaultObjectSound(BlockKind kind) {
    switch (kind) {
        case BlockKind::DeathObject:
            return "blade";
        case BlockKind::WaterAbyssObject:
            return "water";
        case BlockKind::SwitchObject:
            return "switch";
        case BlockKind::LatticeObject:
            return "lattice";
        case BlockKind::Level:
        case BlockKind::AbyssObject:
            break;
    }
    return {};
}

std::string levelSoundPath(int level) { return "levels/sound" + std::to_string(level) + ".txt"; }

std::string soundFilePath(std::string_view name) { return "sounds/" + std::string(name) + ".wav"; }

bool isSoundName(std::string_view name) {
    if (name.empty() || name.size() > maxSoundNameLength) return false;
    for (char c : name) {
        const bool fits = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (!fits) return false;
    }
    return true;
}

LevelSounds readLevelSounds(int level, std::size_t objectCount, std::size_t sortedCount) {
    LevelSounds result;
    const std::string path = "./" + levelSoundPath(level);
    std::unique_ptr<std::FILE, FileCloser> file(openGameFile(path.c_str(), "r"));
    if (!file) {
        if (!gameFileMissing(path.c_str())) result.status = LevelSounds::Status::Unreadable;
        return result;
    }
    result.status = LevelSounds::Status::Read;
    TextLines lines(std::move(file),
                    {longestSoundLine, TextLines::Overlong::Split, TextLines::CarriageReturn::AtLineEnd});
    std::string line;
    const auto leaveOut = [&](int number, std::string text) { result.problems.push_back({number, std::move(text)}); };
    int overlong = 0;  // the line whose pieces are skipped
    for (;;) {
        try {
            if (!lines.next(line)) break;
        } catch (const TextLines::ReadError&) {
            result.status = LevelSounds::Status::Unreadable;
            return result;
        }
        const int number = lines.lineNumber();
        if (number == overlong) continue;
        if (!lines.lineEnded() && line.size() >= longestSoundLine) {
            leaveOut(number, "a line longer than " + std::to_string(longestSoundLine) + " characters");
            overlong = number;
            continue;
        }
        const std::vector<std::string_view> words = soundLineWords(line);
        if (words.empty()) continue;
        const std::string_view keyword = words[0];
        if (keyword == "ambient") {
            if (words.size() != 2) {
                leaveOut(number, "expected \"ambient NAME\"");
            } else if (words[1] != noSound && !isSoundName(words[1])) {
                leaveOut(number, soundNameProblem(words[1]));
            } else {
                result.ambient = std::string(words[1]);
                result.ambientLine = number;
            }
            continue;
        }
        if (keyword != "o" && keyword != "t") {
            leaveOut(number, "expected \"ambient NAME\", \"o POSITION NAME\" or \"t POSITION NAME\"");
            continue;
        }
        const char list = keyword[0];
        std::size_t position = 0;
        if (words.size() != 3 || !readSoundPosition(words[1], position)) {
            leaveOut(number, std::string("expected \"") + soundListLetter(list) + " POSITION NAME\"");
            continue;
        }
        const std::size_t count = list == 'o' ? objectCount : sortedCount;
        if (position >= count) {
            leaveOut(number, std::string("no object at ") + soundListLetter(list) + " " + std::string(words[1]) +
                                 ": the " + (list == 'o' ? "abyss, switch and deadly object" : "water and lattice") +
                                 " list has " + std::to_string(count) + (count == 1 ? " object" : " objects") +
                                 " (positions from 0)");
            continue;
        }
        if (words[2] != noSound && !isSoundName(words[2])) {
            leaveOut(number, soundNameProblem(words[2]));
            continue;
        }
        result.objects.push_back({list, position, std::string(words[2]), number});
    }
    return result;
}
