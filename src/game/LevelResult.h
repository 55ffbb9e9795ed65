#pragma once
#include <cstdint>
#include <string>

// The time spent on a level and what leaving it through its exit shows.

// Seconds of game time since the current level was entered at its start:
// deaths and their restarts count, a paused game and an open message box do
// not (their time is no frame's step).
extern double levelSeconds;

// "Level 1: 34.2 s, best 33.8 s", shown under the level banner for a few
// seconds of game time after an exit.
struct LevelResult {
    std::string text;
    float secondsLeft = 0;  // shown while above 0
};
extern LevelResult levelResult;
inline constexpr float levelResultSeconds = 5;

// A level entered at its start (not the restart after a death): its clock starts.
void startLevelClock();
// `dt` seconds of game time pass on the level's clock and for the result.
void advanceLevelClock(float dt);

// The player walks into an exit to `nextLevel`: the current level's time is
// final, the progress learns it and the level reached, and the result shows.
// Called before the next level is entered.
void leaveLevelThroughExit(int nextLevel);

// The result's text: the time and, where progress is kept, the best time
// before this one (0: none), e.g. "Level 1: 34.2 s, best 33.8 s" or
// "Level 1: 33.1 s, a new best (was 33.8 s)".
std::string levelResultText(int level, std::int64_t milliseconds, std::int64_t previousBest, bool progressKept);
