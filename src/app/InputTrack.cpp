#include "app/InputTrack.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "app/InputTrack.h"
#include "platform/Paths.h"
#include "platform/TextLines.h"

namespace {

constexpr std::size_t maxLineLength = 1024;
constexpr int maxWords = 4;

// A fault in the current line; the reader adds the file name and line number.
struct LineFault {
    std::string problem;
};

struct Words {
    std::string_view word[maxWords];
    int count = 0;
};

// Splits at blanks; a line with more words than any command has is a fault.
Words splitWords(std::string_view line) {
    Words words;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i == line.size()) return words;
        std::size_t end = i;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
        if (words.count == maxWords) throw LineFault{"too many words"};
        words.word[words.count++] = line.substr(i, end - i);
        i = end;
    }
}

void requireWords(const Words& words, int count, const char* usage) {
    if (words.count < count) throw LineFault{std::string("missing value: ") + usage};
    if (words.count > count) throw LineFault{"unexpected '" + std::string(words.word[count]) + "' after " + usage};
}

double parseSeconds(std::string_view text, double least, double most) {
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (copy.empty() || *end != '\0' || !std::isfinite(value)) throw LineFault{"'" + copy + "' is not a number"};
    if (value < least || value > most) {
        char range[96];
        std::snprintf(range, sizeof range, " is outside %g to %g seconds", least, most);
        throw LineFault{"'" + copy + "'" + range};
    }
    return value;
}

GameKey parseKey(std::string_view name) {
    GameKey key;
    if (!keyFromName(name, key)) throw LineFault{"unknown key '" + std::string(name) + "'"};
    return key;
}

class TrackBuilder {
public:
    explicit TrackBuilder(InputTrack& track) : track_(track) {}

    void addFrames(double count, float frameTime) {
        if (count > static_cast<double>(maxTrackFrames - track_.frameTimes.size()))
            throw LineFault{"more than 1000000 frames"};
        track_.frameTimes.insert(track_.frameTimes.end(), static_cast<std::size_t>(count), frameTime);
    }
    void addKey(GameKey key, bool down) {
        if (track_.keys.size() == maxTrackFrames) throw LineFault{"more than 1000000 key events"};
        track_.keys.push_back(TrackKey{static_cast<std::uint32_t>(track_.frameTimes.size()), key, down});
    }

private:
    InputTrack& track_;
};

// One command of a hand-written script; `frameTime` is the script's current one.
void readScriptLine(std::string_view line, TrackBuilder& builder, double& frameTime) {
    const std::size_t comment = line.find('#');
    if (comment != std::string_view::npos) line = line.substr(0, comment);
    const Words words = splitWords(line);
    if (words.count == 0) return;
    const std::string_view command = words.word[0];
    // Seconds become whole frames, rounded.
    auto frames = [&](std::string_view seconds) { return std::round(parseSeconds(seconds, 0, 86400) / frameTime); };

    if (command == "frametime") {
        requireWords(words, 2, "frametime SECONDS");
        frameTime = parseSeconds(words.word[1], 0.0001, 1);
    } else if (command == "wait") {
        requireWords(words, 2, "wait SECONDS");
        builder.addFrames(frames(words.word[1]), static_cast<float>(frameTime));
    } else if (command == "hold") {
        requireWords(words, 3, "hold KEY SECONDS");
        const GameKey key = parseKey(words.word[1]);
        const double count = frames(words.word[2]);
        builder.addKey(key, true);
        builder.addFrames(count, static_cast<float>(frameTime));
        builder.addKey(key, false);
    } else if (command == "press" || command == "release") {
        requireWords(words, 2, command == "press" ? "press KEY" : "release KEY");
        builder.addKey(parseKey(words.word[1]), command == "press");
    } else if (command == "tap") {
        requireWords(words, 2, "tap KEY");
        const GameKey key = parseKey(words.word[1]);
        builder.addKey(key, true);
        builder.addFrames(1, static_cast<float>(frameTime));
        builder.addKey(key, false);
    } else {
        throw LineFault{"unknown command '" + std::string(command) + "'"};
    }
}

// One line of a recorded demo: a header line before the first step or key, then
// "step SECONDS", "down KEY" and "up KEY".
void readDemoLine(std::string_view line, TrackBuilder& builder, InputTrack& track, bool& inBody) {
    const Words words = splitWords(line);
    if (words.count == 0) return;
    const std::string_view command = words.word[0];
    if (command == "step" || command == "down" || command == "up") {
        if (track.level == 0) throw LineFault{"the header has no level line"};
        inBody = true;
        if (command == "step") {
            requireWords(words, 2, "step SECONDS");
            builder.addFrames(1, static_cast<float>(parseSeconds(words.word[1], 0, 86400)));
        } else {
            requireWords(words, 2, command == "down" ? "down KEY" : "up KEY");
            builder.addKey(parseKey(words.word[1]), command == "down");
        }
        return;
    }
    if (inBody) throw LineFault{"'" + std::string(command) + "' where a step or key is expected"};
    if (command == "level") {
        requireWords(words, 2, "level N");
        if (words.word[1].size() != 1 || words.word[1][0] < '1' || words.word[1][0] > '3')
            throw LineFault{"level must be 1, 2 or 3"};
        track.level = words.word[1][0] - '0';
    } else if (command == "settings") {
        track.settings = std::string(line.substr(line.find("settings") + 8));
        while (!track.settings.empty() && track.settings.front() == ' ') track.settings.erase(0, 1);
    } else if (command == "checksum") {
        requireWords(words, 2, "checksum VALUE");
        track.checksum = std::string(words.word[1]);
    } else {
        throw LineFault{"unknown header line '" + std::string(command) + "'"};
    }
}

}  // namespace

TrackRead readInputTrack(const std::string& path, const std::string& name, InputTrack& track, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    struct stat info {};
    if (file && (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode))) {
        std::fclose(file);
        file = nullptr;
    }
    return readInputTrack(file, name, track, error);
}

TrackRead readInputTrack(std::FILE* file, const std::string& name, InputTrack& track, std::string& error) {
    track = InputTrack{};
    if (!file) {
        error = name + ": cannot be read";
        return TrackRead::Unreadable;
    }
    TextLines lines(std::unique_ptr<std::FILE, FileCloser>(file),
                    {.maxLength = maxLineLength,
                     .overlong = TextLines::Overlong::Refuse,
                     .carriageReturn = TextLines::CarriageReturn::AtLineEnd});
    TrackBuilder builder(track);
    double frameTime = 1.0 / 60;
    bool inBody = false;
    std::string line;
    const auto malformed = [&](int number, const std::string& problem) {
        error = name + ":" + std::to_string(number) + ": " + problem;
        return TrackRead::Malformed;
    };
    try {
        while (lines.next(line)) {
            if (lines.lineNumber() == 1 && line == "zarnoth-demo 1") {
                track.demo = true;
                continue;
            }
            if (!track.demo) {
                readScriptLine(line, builder, frameTime);
            } else if (lines.lineEnded()) {
                readDemoLine(line, builder, track, inBody);
            }
            // A demo's last line without its line feed was cut off when the
            // recording game was killed: the demo plays up to the line before.
        }
    } catch (const LineFault& fault) {
        return malformed(lines.lineNumber(), fault.problem);
    } catch (const TextLines::TooLong& tooLong) {
        return malformed(tooLong.line, "line longer than 1024 characters");
    } catch (const TextLines::ReadError& readError) {
        return malformed(readError.line, "read error");
    }
    // Where the level line was still awaited: after the last line.
    if (track.demo && track.level == 0) return malformed(lines.lineNumber() + 1, "the header has no level line");
    return TrackRead::Read;
}
