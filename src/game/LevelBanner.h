#pragma once
#include <string>

// The level's number and name, shown at the top of the screen for a few
// seconds of game time whenever the player arrives at a level's start (the
// first level, an exit, F1 or F2, the restart after a death).
struct LevelBanner {
    std::string text;       // "Level 2: The Drowned Keep", or "Level 2" for a level without a name
    float secondsLeft = 0;  // shown while above 0
};
extern LevelBanner levelBanner;

inline constexpr float levelBannerSeconds = 3;

// Shows the banner of level `level`, named by its name file when that has a
// usable name.
void showLevelBanner(int level);
// `dt` seconds of game time pass for the banner; a paused game passes none.
void ageLevelBanner(float dt);
