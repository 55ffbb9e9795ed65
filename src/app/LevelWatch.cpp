#include "app/LevelWatch.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "game/LevelEntry.h"
#include "level/LevelLoader.h"
#include "platform/FileWatch.h"
#include "platform/Paths.h"

std::string (*findLevelError)(int level) = nullptr;

namespace {

using Clock = std::chrono::steady_clock;
// Editors write, truncate and rename in quick succession: wait this long after the last change.
constexpr auto quiet = std::chrono::milliseconds(150);

std::unique_ptr<FileWatch> watch;
bool pending = false;
Clock::time_point lastChange;

// A level load opens its object file first: the files of the level before are forgotten.
void onFileOpened(const std::string& path) {
    const std::string file = watchedPath(path);
    if (file == levelFilePath(LevelFile::Objects, currentLevel)) {
        watch->forgetFiles();
    }
    watch->add(file);
}

void reload() {
    if (findLevelError) {
        const std::string error = findLevelError(currentLevel);
        if (!error.empty()) std::fprintf(stderr, "%s\n", error.c_str());
    }
    enterLevel(currentLevel, Arrival::WhereStanding);
}

}  // namespace

void startLevelWatch() {
    watch = std::make_unique<FileWatch>();
    if (!watch->usable()) std::fprintf(stderr, "zarnoth: --watch: inotify is not available\n");
    setFileOpenObserver(onFileOpened);
}

void pollLevelWatch() {
    if (!watch) return;
    if (watch->changed()) {
        pending = true;
        lastChange = Clock::now();
    }
    if (pending && Clock::now() - lastChange >= quiet) {
        pending = false;
        reload();
        // What the reload itself opened is no change.
        watch->changed();
    }
}
