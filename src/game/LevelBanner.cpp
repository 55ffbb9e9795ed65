#include "game/LevelBanner.h"

#include "level/LevelName.h"

LevelBanner levelBanner;

void showLevelBanner(int level) {
    // A name that cannot be used leaves the number alone, without a box:
    // the level itself plays as always (zarnoth-check names the problem).
    levelBanner.text = levelTitle(level, readLevelName(level).name);
    levelBanner.secondsLeft = levelBannerSeconds;
}

void ageLevelBanner(float dt) {
    if (levelBanner.secondsLeft > 0) levelBanner.secondsLeft -= dt;
}
