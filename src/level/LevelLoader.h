#pragma once
#include <vector>

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

// The three readers; each throws ObjectFileException.
void readObjectFile(const char* path);
void readLevelFormatFile(const char* path);
void readActionFile(const char* path);
