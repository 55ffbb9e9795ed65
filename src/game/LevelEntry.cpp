#include "game/LevelEntry.h"

#include <chrono>

#include "game/BlockingMessage.h"
#include "game/Camera.h"
#include "game/FrameClock.h"
#include "game/GameSounds.h"
#include "game/GameState.h"
#include "game/LevelBanner.h"
#include "game/LevelResult.h"
#include "game/SceneFrame.h"
#include "level/LevelLoader.h"
#include "level/ObjectFileException.h"
#include "level/ObjectGrid.h"
#include "level/Scene.h"
#include "platform/EventLog.h"

std::vector<LevelLoadTime> levelLoadTimes;

namespace {
void readLevel(int level) {
    const auto started = std::chrono::steady_clock::now();
    try {
        loadLevel(level);
    } catch (const ObjectFileException& error) {
        showBlockingMessage(error.what(), "Fehler beim Lesen der Files.");
    }
    objectGrid.build(objects);
    warmUpPending = true;
    // Whatever the files built, also in part, is heard.
    startLevelSounds(level);
    if (eventLogEnabled()) {
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;
        levelLoadTimes.push_back(LevelLoadTime{level, took.count()});
        logEvent("level %d", level);
    }
}
}  // namespace

void enterLevel(int level, Arrival arrival) {
    resetGameStateForLoad();

    if (level < firstLevel) {
        currentLevel = firstLevel;
    } else if (level > lastLevel) {
        currentLevel = lastLevel;
    } else {
        currentLevel = level;
        readLevel(level);
    }

    if (arrival == Arrival::AtStart) startLevelClock();
    if (arrival != Arrival::WhereStanding) {
        camera.reset();
        showLevelBanner(currentLevel);
    }
    // Neither the reading nor a message box counts as frame time.
    restartFrameClock();
}
