#pragma once
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/Paths.h"

// Reads a text file line by line for the readers of the game's files: a line
// ends at a line feed, which it does not keep, and the last line needs none.
// One rule for the end of a file and for a failed read serves every format;
// each chooses only its line length limit and its carriage-return rule.
class TextLines {
public:
    // What happens to a line longer than Format::maxLength.
    enum class Overlong {
        Split,   // it arrives in pieces of maxLength characters, as fgets gives it
        Refuse,  // it is TooLong
    };
    // Which carriage return is dropped from the end of a line.
    enum class CarriageReturn {
        Keep,
        BeforeLineFeed,  // only one that stands just before the line feed
        AtLineEnd,       // also at the end of a last line that has no line feed
    };
    struct Format {
        // Counts every character but the line feed, carriage returns included; 0: no limit.
        std::size_t maxLength = 0;
        Overlong overlong = Overlong::Split;
        CarriageReturn carriageReturn = CarriageReturn::Keep;
    };

    // A read failed for another reason than the end of the file; `line` is the
    // one it failed in, counted from 1.
    struct ReadError {
        int line;
    };
    // A line longer than maxLength under Overlong::Refuse.
    struct TooLong {
        int line;
    };
    // need() found the end of the file where a block still needs a line.
    struct Ended {};

    // Reads `file` and closes it when done; it must be open.
    TextLines(std::unique_ptr<std::FILE, FileCloser> file, Format format);
    // Reads a file its owner closes; it must be open.
    TextLines(std::FILE& file, Format format);

    // The next line, or the next piece of a split one; false at the end of the
    // file. Throws ReadError or TooLong.
    bool next(std::string& line);
    // The next line a block still needs; Ended at the end of the file.
    const std::string& need();

    // The number of the line returned last (a split line keeps its number
    // for every piece), counted from 1; 0 before the first.
    int lineNumber() const { return lineNumber_; }
    // Whether the line returned last ended with its line feed; false for a
    // last line without one and for each piece of a split line but the last.
    bool lineEnded() const { return lineEnded_; }

private:
    // The next character, or EOF at the end or on an error (ferror tells).
    int nextChar();

    std::unique_ptr<std::FILE, FileCloser> owned_;
    std::FILE* file_;
    Format format_;
    int lineNumber_ = 0;
    bool lineEnded_ = false;
    bool split_ = false;  // the piece returned last was cut at maxLength: the next goes on with its line
    std::string need_;
    // A file of its own is read in blocks: a lock taken by getc for each
    // character cost a model's load a tenth of its time. A borrowed file is
    // read a character at a time, so that its owner finds it where the last
    // line ended.
    std::unique_ptr<char[]> block_;
    std::size_t blockUsed_ = 0;
    std::size_t blockFilled_ = 0;
};
