#pragma once
#include <string>

// What the command line asks for. Without options the game is the plain one:
// the working directory, zarnoth.ini, level 1, real message boxes.
struct Options {
    enum class Mode { Normal, Record, Play, Timedemo };

    std::string dataDir;  // changed into before anything is read
    int level = 1;        // the level to start on
    bool levelGiven = false;
    bool continueGame = false;  // start on the furthest level the progress holds
    bool events = false;        // the event log in ordinary play
    bool watch = false;         // reload the level when a file it read changes
    Mode mode = Mode::Normal;
    std::string file;      // the demo or script of --record, --play, --timedemo
    std::string shotFile;  // the PNG of the last frame of a play
    bool help = false;
    bool version = false;
};

inline constexpr const char* usageText =
    "usage: zarnoth [--data DIR] [--level N | --continue] [--events] [--watch] [--record FILE | --play FILE | "
    "--timedemo FILE] "
    "[--shot FILE] | --help | --version";

// Fills `options` from the arguments; false with a one-line `problem` for an
// unknown option, a missing or bad value, or options that do not go together.
bool parseCommandLine(int argc, const char* const* argv, Options& options, std::string& problem);
