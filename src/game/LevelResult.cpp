#include "game/LevelResult.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "game/Progress.h"
#include "level/LevelLoader.h"

double levelSeconds = 0;
LevelResult levelResult;

namespace {
// Seconds to one decimal, from whole milliseconds: the same text on every platform.
std::string tenths(std::int64_t milliseconds) {
    const std::int64_t count = (milliseconds + 50) / 100;
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%lld s", static_cast<long long>(count / 10),
                  static_cast<long long>(count % 10));
    return text;
}
}  // namespace

void startLevelClock() { levelSeconds = 0; }

void advanceLevelClock(float dt) {
    levelSeconds += dt;
    if (levelResult.secondsLeft > 0) levelResult.secondsLeft -= dt;
}

std::string levelResultText(int level, std::int64_t milliseconds, std::int64_t previousBest, bool progressKept) {
    std::string text = "Level " + std::to_string(level) + ": " + tenths(milliseconds);
    if (!progressKept) return text;
    if (previousBest == 0) return text + ", a new best";
    if (milliseconds < previousBest) return text + ", a new best (was " + tenths(previousBest) + ")";
    return text + ", best " + tenths(previousBest);
}

void leaveLevelThroughExit(int nextLevel) {
    const int level = std::clamp(currentLevel, firstLevel, lastLevel);
    // A best time of 0 would read as none.
    const auto milliseconds =
        std::clamp(static_cast<std::int64_t>(std::llround(levelSeconds * 1000)), std::int64_t{1}, longestMilliseconds);
    const std::int64_t previousBest = progress.best(level);
    levelResult.text = levelResultText(level, milliseconds, previousBest, keepProgress != nullptr);
    levelResult.secondsLeft = levelResultSeconds;

    bool changed = false;
    if (previousBest == 0 || milliseconds < previousBest) {
        progress.bestMilliseconds[static_cast<std::size_t>(level - 1)] = milliseconds;
        changed = true;
    }
    const int reached = std::clamp(nextLevel, firstLevel, lastLevel);
    if (reached > progress.furthestLevel) {
        progress.furthestLevel = reached;
        changed = true;
    }
    if (changed && keepProgress) keepProgress(progress);
}
