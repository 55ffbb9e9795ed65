#include "level/LevelLoader.h"

#include "level/ActionFile.h"
#include "level/LevelFormatFile.h"
#include "level/ObjectFile.h"

int currentLevel = 1;
bool mipmapEnabled = true;

std::string levelFilePath(LevelFile file, int level) {
    const std::string number = std::to_string(level);
    switch (file) {
        case LevelFile::Objects:
            return "levels/level" + number + ".cfg";
        case LevelFile::Format:
            return "levels/levelformat" + number + ".txt";
        case LevelFile::Actions:
            break;
    }
    return "levels/action" + number + ".txt";
}

void loadLevel(int level) {
    // The game opens its files relative to the working directory, as "./...".
    readObjectFile(("./" + levelFilePath(LevelFile::Objects, level)).c_str());
    readLevelFormatFile(("./" + levelFilePath(LevelFile::Format, level)).c_str());
    readActionFile(("./" + levelFilePath(LevelFile::Actions, level)).c_str());
}
