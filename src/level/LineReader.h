#pragma once
#include <cstdio>
#include <string>

#include "level/ObjectFileException.h"
#include "platform/TextLines.h"

// Thrown by LineReader::need when a block still needs a line and the file has
// ended; LineReader::readBlocks catches it.
using FileEnded = TextLines::Ended;

// Reads the lines of one level file. A line ends at a line feed (a carriage
// return just before it is dropped); the last line needs none. Lines may be
// of any length.
class LineReader {
public:
    // Opens the file; "Lesefehler." when it is missing or not a regular file.
    explicit LineReader(const char* path);
    // Takes over an open file (null: "Lesefehler.").
    explicit LineReader(std::FILE* file);

    // The next line; false at the end of the file. A failed read other than the
    // end of the file is "Lesefehler.".
    bool next(std::string& line);
    // The next line a block still needs; FileEnded at the end of the file.
    const std::string& need();
    // The number of the line returned last, counted from 1.
    int lineNumber() const { return lines_.lineNumber(); }
    // Runs `read` over the blocks of the file. An ObjectFileException leaving
    // it learns the line it stopped at. The end of the file inside a block
    // (need() found no line) ends the reading quietly: the game drops a
    // cut-off block. True when that happened, so that the checker can say so.
    template <typename Read>
    bool readBlocks(Read&& read) {
        bool cutOff = false;
        try {
            read();
        } catch (const FileEnded&) {
            cutOff = true;
        } catch (ObjectFileException& error) {
            if (error.line == 0) error.line = lines_.lineNumber();
            throw;
        }
        return cutOff;
    }

private:
    TextLines lines_;
};

// sscanf gave `converted` conversions of `expected`: fewer is "Fehler.";
// `what` says in English what the line should have held.
void requireFields(int converted, int expected, const char* what);

// "%s" words are read as "%40s" into a WordBuffer; a word that filled the
// 40 characters is longer than the 39 a word may have and is "Fehler.".
using WordBuffer = char[41];
void requireShortWord(const WordBuffer word, const char* what);
