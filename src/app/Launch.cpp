#include "app/Launch.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/CommandLine.h"
#include "app/LevelWatch.h"
#include "app/PlayEnd.h"
#include "app/PlaySession.h"
#include "app/ProgressFile.h"
#include "app/Recording.h"
#include "app/Replay.h"
#include "app/Startup.h"
#include "level/LevelChecksum.h"
#include "level/LevelLoader.h"
#include "platform/EventLog.h"
#include "platform/MessageBox.h"

namespace {
int refuse(const std::string& problem) {
    std::fprintf(stderr, "zarnoth: %s\n%s\n", problem.c_str(), usageText);
    return 2;
}

const char* helpText =
    "Plays Zarnoth with the files of the working directory (zarnoth.ini, levels/, models/, texturen/, sounds/).\n"
    "  --data DIR       read the game's files from DIR\n"
    "  --level N        start on level N (1 to 3)\n"
    "  --continue       start on the furthest level reached through an exit\n"
    "  --events         write the event log to stdout\n"
    "  --watch          reload the level when one of its files changes on disk\n"
    "  --record FILE    play and record a demo into FILE\n"
    "  --play FILE      play a demo or an input script\n"
    "  --timedemo FILE  play it as fast as possible and print the figures\n"
    "  --shot FILE      save the last frame of a play as a PNG\n"
    "  --help, --version\n";

// File names on the command line are relative to where the game was started,
// not to the data directory.
std::string fromStartDirectory(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}
}  // namespace

int runWithCommandLine(int argc, const char* const* argv) {
    Options options;
    std::string problem;
    if (!parseCommandLine(argc, argv, options, problem)) return refuse(problem);
    if (options.help) {
        std::printf("%s\n%s", usageText, helpText);
        return 0;
    }
    if (options.version) {
        std::printf("zarnoth %s\n", ZARNOTH_VERSION);
        return 0;
    }

    session.mode = options.mode;
    session.countFrames = options.events;
    if (options.mode == Options::Mode::Play || options.mode == Options::Mode::Timedemo) {
        std::string error;
        switch (readInputTrack(options.file, options.file, replayTrack, error)) {
            case TrackRead::Read:
                break;
            case TrackRead::Unreadable:
                return refuse(error);
            case TrackRead::Malformed:
                // The line names itself; the usage would not help.
                std::fprintf(stderr, "%s\n", error.c_str());
                return 2;
        }
        if (replayTrack.demo) {
            if (options.continueGame)
                return refuse("--continue does not go with a demo, which starts on its own level");
            if (options.levelGiven && options.level != replayTrack.level)
                return refuse("--level " + std::to_string(options.level) + " differs from the demo's level " +
                              std::to_string(replayTrack.level));
            options.level = replayTrack.level;
        }
    }
    if (options.mode == Options::Mode::Record) {
        demoFile.reset(std::fopen(options.file.c_str(), "wb"));
        if (!demoFile) return refuse(options.file + ": cannot be written");
    }
    if (!options.shotFile.empty()) shotPath = fromStartDirectory(options.shotFile);
    if (!options.dataDir.empty() && chdir(options.dataDir.c_str()) != 0)
        return refuse("the data directory " + options.dataDir + " cannot be entered");

    if (replayTrack.demo && replayTrack.checksum != levelFilesChecksum())
        std::fprintf(stderr, "zarnoth: warning: %s was recorded with other level files; it may play differently\n",
                     options.file.c_str());
    if (options.mode != Options::Mode::Normal || options.events) enableEventLog();
    if (options.mode == Options::Mode::Play || options.mode == Options::Mode::Timedemo) setMessageSink({});
    // A timedemo measures: it neither reads nor writes the player's progress.
    if (options.mode != Options::Mode::Timedemo) {
        loadProgressFile();
        keepProgressInFile();
        if (options.continueGame) options.level = std::max(progress.furthestLevel, firstLevel);
    }
    currentLevel = options.level;
    if (options.watch) startLevelWatch();
    return runZarnoth();
}
