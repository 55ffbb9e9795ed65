#pragma once
#include <cstddef>
#include <string>

// levels/nameN.txt, an optional file: its first line is the name of level N,
// shown with the level's number when the player arrives at the level's start.
// Trailing spaces and carriage returns are not part of the name; the rest of
// the file is not read.
inline constexpr std::size_t maxLevelNameLength = 40;

// "levels/nameN.txt".
std::string levelNamePath(int level);

struct LevelName {
    enum class Status {
        Read,          // `name` holds the name
        Missing,       // there is no such file: the level has no name
        Unreadable,    // the file exists but cannot be opened or read
        Empty,         // the first line holds nothing but spaces
        TooLong,       // longer than maxLevelNameLength characters
        NotPrintable,  // a character other than printable ASCII, at `column`
    };
    Status status = Status::Missing;
    std::string name;        // empty unless Read
    std::size_t length = 0;  // the first line's length without its trailing spaces
    std::size_t column = 0;  // NotPrintable: where the first such character stands, from 1
};

// Reads the name of level `level`. Never throws: every problem is a status,
// and the level plays without its name.
LevelName readLevelName(int level);

// "Level N: NAME", or "Level N" when `name` is empty.
std::string levelTitle(int level, const std::string& name);
