#pragma once
#include <memory>
#include <vector>

#include "level/Wall.h"
#include "scene/SceneObject.h"

// Loads level 1 to 3 into the scene; a number outside is clamped into
// currentLevel and nothing is read. Errors are shown in a message box.
void loadLevel(int level);

// How long each level load of the run took while the event log is on (the
// timedemo reports them).
struct LevelLoadTime {
    int level;
    double milliseconds;
};
extern std::vector<LevelLoadTime> levelLoadTimes;

// The three readers, on the scene of the game; each throws ObjectFileException.
void readObjectFile(const char* path);
void readLevelFormatFile(const char* path);
void readActionFile(const char* path);

// The last two on lists of the caller's, for zarnoth-check.
// `announced` learns the wall count of the first line.
void readWalls(const char* path, std::vector<Wall>& walls, int& announced);

// One block of an action file as read: its first line, letter and source.
struct LinkBlock {
    int line = 0;
    char kind = 0;
    int source = 0;
};
using ObjectList = std::vector<std::unique_ptr<SceneObject>>;
// `blocks` learns every block that was read whole.
void readLinks(const char* path, const ObjectList& objects, const ObjectList& sortedObjects,
               std::vector<LinkBlock>* blocks);
