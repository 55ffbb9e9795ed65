#pragma once
#include <vector>

// Where the player stands once a level is entered.
enum class Arrival {
    AtStart,       // the level's starting point: the origin, facing -z, level view
    AfterDeath,    // the same after a death, but the level's clock runs on: its time counts the deaths
    WhereStanding  // where the player was (a reload of the same level)
};

// Enters level `level`: every load, also a refused one, first ends blocks,
// jumps, falls and deaths. A number outside 1 to 3 is clamped into
// currentLevel and nothing is read; otherwise it becomes currentLevel and the
// level's files are read, a faulty one shown in a message box. Then the
// camera goes to `arrival` (at the start, the level's banner shows, and the
// level's clock starts unless a death brought the player back), and the frame
// clock restarts.
void enterLevel(int level, Arrival arrival);

// How long each level load of the run took while the event log is on (the
// timedemo reports them).
struct LevelLoadTime {
    int level;
    double milliseconds;
};
extern std::vector<LevelLoadTime> levelLoadTimes;
