#include "app/ProgressFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/Paths.h"
#include "platform/TextLines.h"
#include "platform/UserFiles.h"

namespace {
constexpr const char* progressHeader = "zarnoth-progress 1";
constexpr std::size_t longestLine = 64;

// A fault in the current line; the reader adds its number.
struct ProgressFault {
    std::string problem;
};

// A level number as the file writes it: one digit, 1 to 3.
int parseLevel(std::string_view text) {
    if (text.size() != 1 || text[0] < '0' + firstLevel || text[0] > '0' + lastLevel)
        throw ProgressFault{"the level \"" + std::string(text) + "\" is not " + std::to_string(firstLevel) + " to " +
                            std::to_string(lastLevel)};
    return text[0] - '0';
}

// Seconds with exactly three decimals, as the file writes them, into whole
// milliseconds: no floating point, so a time reads back as it was written.
std::int64_t parseMilliseconds(std::string_view text) {
    const std::size_t point = text.find('.');
    const bool wellFormed = point != std::string_view::npos && point >= 1 && point <= 9 && text.size() == point + 4 &&
                            text.find_first_not_of("0123456789", 0) == point &&
                            text.find_first_not_of("0123456789", point + 1) == std::string_view::npos;
    if (!wellFormed) throw ProgressFault{"the time \"" + std::string(text) + "\" is not seconds with three decimals"};
    std::int64_t milliseconds = 0;
    for (const char c : text) {
        if (c != '.') milliseconds = milliseconds * 10 + (c - '0');
    }
    if (milliseconds == 0) throw ProgressFault{"a best time of 0"};
    return milliseconds;
}

void readLine(std::string_view line, Progress& read, bool& furthestSeen) {
    const std::size_t space = line.find(' ');
    const std::string_view word = line.substr(0, space);
    const std::string_view rest = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    if (word == "furthest") {
        if (furthestSeen) throw ProgressFault{"a second \"furthest\" line"};
        furthestSeen = true;
        read.furthestLevel = parseLevel(rest);
    } else if (word == "best") {
        const std::size_t gap = rest.find(' ');
        if (gap == std::string_view::npos) throw ProgressFault{"expected \"best LEVEL SECONDS\""};
        const int level = parseLevel(rest.substr(0, gap));
        std::int64_t& best = read.bestMilliseconds[static_cast<std::size_t>(level - 1)];
        if (best != 0) throw ProgressFault{"a second best time of level " + std::to_string(level)};
        best = parseMilliseconds(rest.substr(gap + 1));
    } else {
        throw ProgressFault{"expected \"furthest LEVEL\" or \"best LEVEL SECONDS\""};
    }
}

std::string progressPath(std::string& problem) {
    const std::string directory = userDataDirectory(problem);
    if (directory.empty()) return {};
    return directory + (directory.find('\\') != std::string::npos ? "\\" : "/") + progressFileName;
}

void saveProgressFile(const Progress& progress) {
    static bool complained = false;
    std::string problem;
    const std::string directory = userDataDirectory(problem);
    const std::string path = progressPath(problem);
    const bool saved = !path.empty() && makeUserDataDirectory(directory, problem) &&
                       replaceFileWhole(path, progressText(progress), problem);
    // Once is enough: the same directory fails the same way at every exit.
    if (saved || complained) return;
    complained = true;
    std::fprintf(stderr, "zarnoth: the progress cannot be saved: %s\n", problem.c_str());
}
}  // namespace

bool readProgress(std::FILE* file, Progress& read, std::string& problem) {
    read = Progress{};
    if (!file) {
        problem = "cannot be read";
        return false;
    }
    TextLines lines(std::unique_ptr<std::FILE, FileCloser>(file),
                    {.maxLength = longestLine,
                     .overlong = TextLines::Overlong::Refuse,
                     .carriageReturn = TextLines::CarriageReturn::AtLineEnd});
    bool furthestSeen = false;
    std::string line;
    try {
        if (!lines.next(line) || line != progressHeader)
            throw ProgressFault{"the first line is not \"" + std::string(progressHeader) + "\""};
        while (lines.next(line)) readLine(line, read, furthestSeen);
    } catch (const ProgressFault& fault) {
        problem = "line " + std::to_string(std::max(lines.lineNumber(), 1)) + ": " + fault.problem;
    } catch (const TextLines::TooLong& tooLong) {
        problem =
            "line " + std::to_string(tooLong.line) + ": longer than " + std::to_string(longestLine) + " characters";
    } catch (const TextLines::ReadError&) {
        problem = "cannot be read";
    }
    if (problem.empty()) return true;
    read = Progress{};
    return false;
}

std::string progressText(const Progress& progress) {
    std::string text = std::string(progressHeader) + "\n";
    if (progress.furthestLevel >= firstLevel) text += "furthest " + std::to_string(progress.furthestLevel) + "\n";
    for (int level = firstLevel; level <= lastLevel; ++level) {
        const std::int64_t best = progress.best(level);
        if (best <= 0) continue;
        char line[64];
        std::snprintf(line, sizeof line, "best %d %lld.%03lld\n", level, static_cast<long long>(best / 1000),
                      static_cast<long long>(best % 1000));
        text += line;
    }
    return text;
}

void loadProgressFile() {
    std::string problem;
    const std::string path = progressPath(problem);
    // Where no directory can be named, the first save says so.
    if (path.empty()) return;
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    // A player who has taken no exit yet has no file; where the directory is
    // no directory, the first save says so.
    if (!file && (errno == ENOENT || errno == ENOTDIR)) return;
    const std::string why = file ? "" : std::string(" (") + std::strerror(errno) + ")";
    if (!readProgress(file, progress, problem))
        std::fprintf(stderr, "zarnoth: %s: %s; the progress in it is ignored and replaced at the next save\n",
                     path.c_str(), (problem + why).c_str());
}

void keepProgressInFile() { keepProgress = saveProgressFile; }
