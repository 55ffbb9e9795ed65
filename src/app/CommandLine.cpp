#include "app/CommandLine.h"

#include <cstring>
#include <string_view>

namespace {
bool takesFile(std::string_view option) { return option == "--record" || option == "--play" || option == "--timedemo"; }
}  // namespace

bool parseCommandLine(int argc, const char* const* argv, Options& options, std::string& problem) {
    bool seen[10] = {};
    const char* const known[] = {"--data",     "--level", "--events", "--record",   "--play",
                                 "--timedemo", "--shot",  "--watch",  "--continue", nullptr};
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help") {
            options.help = true;
            continue;
        }
        if (option == "--version") {
            options.version = true;
            continue;
        }
        int which = 0;
        while (known[which] && option != known[which]) ++which;
        if (!known[which]) {
            problem = option.starts_with("-") ? "unknown option '" + std::string(option) + "'"
                                              : "unexpected argument '" + std::string(option) + "'";
            return false;
        }
        if (seen[which]) {
            problem = std::string(option) + " given twice";
            return false;
        }
        seen[which] = true;
        if (option == "--events") {
            options.events = true;
            continue;
        }
        if (option == "--watch") {
            options.watch = true;
            continue;
        }
        if (option == "--continue") {
            options.continueGame = true;
            continue;
        }
        if (i + 1 >= argc || argv[i + 1][0] == '\0') {
            problem = std::string(option) + " needs a value";
            return false;
        }
        const char* value = argv[++i];
        if (option == "--data") {
            options.dataDir = value;
        } else if (option == "--level") {
            if (std::strlen(value) != 1 || value[0] < '1' || value[0] > '3') {
                problem = "--level must be 1, 2 or 3, not '" + std::string(value) + "'";
                return false;
            }
            options.level = value[0] - '0';
            options.levelGiven = true;
        } else if (option == "--shot") {
            options.shotFile = value;
        } else if (takesFile(option)) {
            if (options.mode != Options::Mode::Normal) {
                problem = "only one of --record, --play and --timedemo may be given";
                return false;
            }
            options.mode = option == "--record" ? Options::Mode::Record
                           : option == "--play" ? Options::Mode::Play
                                                : Options::Mode::Timedemo;
            options.file = value;
        }
    }
    if (options.continueGame && options.levelGiven) {
        problem = "--level and --continue do not go together";
        return false;
    }
    if (options.continueGame && options.mode == Options::Mode::Timedemo) {
        problem = "--continue does not go with --timedemo, which keeps no progress";
        return false;
    }
    if (!options.shotFile.empty() && options.mode != Options::Mode::Play && options.mode != Options::Mode::Timedemo) {
        problem = "--shot needs --play or --timedemo";
        return false;
    }
    return true;
}
