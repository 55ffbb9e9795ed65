#include "level/LevelLoader.h"

#include <chrono>
#include <string>

#include "app/Globals.h"
#include "game/GameState.h"
#include "level/ObjectFileException.h"
#include "platform/EventLog.h"
#include "platform/MessageBox.h"

std::vector<LevelLoadTime> levelLoadTimes;

void loadLevel(int level) {
    resetGameStateForLoad();

    if (level < 1) {
        currentLevel = 1;
    } else if (level > 3) {
        currentLevel = 3;
    } else {
        const auto started = std::chrono::steady_clock::now();
        const std::string number = std::to_string(level);
        const std::string objectFile = "./levels/level" + number + ".cfg";
        const std::string formatFile = "./levels/levelformat" + number + ".txt";
        const std::string actionFile = "./levels/action" + number + ".txt";
        // The action file names objects by their places in the lists the
        // object file has just built, so the order is fixed.
        try {
            readObjectFile(objectFile.c_str());
            readLevelFormatFile(formatFile.c_str());
            readActionFile(actionFile.c_str());
        } catch (const ObjectFileException& error) {
            showMessage(error.what(), "Fehler beim Lesen der Files.");
            // The box took the releases of any keys held when it opened.
            releaseHeldKeys();
        }
        if (eventLogEnabled()) {
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;
            levelLoadTimes.push_back(LevelLoadTime{level, took.count()});
            logEvent("level %d", level);
        }
    }

    // Neither the reading nor the message box counts as frame time.
    restartFrameClock();
}
