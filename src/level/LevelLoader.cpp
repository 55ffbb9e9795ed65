#include "level/LevelLoader.h"

#include <string>

#include "app/Globals.h"
#include "game/GameState.h"
#include "level/ObjectFileException.h"
#include "platform/MessageBox.h"

void loadLevel(int level) {
    resetGameStateForLoad();

    if (level < 1) {
        currentLevel = 1;
    } else if (level > 3) {
        currentLevel = 3;
    } else {
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
    }

    // Neither the reading nor the message box counts as frame time.
    restartFrameClock();
}
