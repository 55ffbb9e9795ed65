#pragma once
#include <array>
#include <cstdint>

#include "level/LevelLoader.h"

// What the player has achieved, kept from one run to the next: the furthest
// level reached through an exit (F1 and F2 do not count) and each level's
// best time, from entering the level to leaving it through its exit.
struct Progress {
    int furthestLevel = 0;  // 0: no exit taken yet
    // In milliseconds of game time, level N at [N - 1]; 0: the level was never left through its exit.
    std::array<std::int64_t, lastLevel> bestMilliseconds{};

    // The best time of `level`, 0 for none.
    std::int64_t best(int level) const;
};

// The progress of this player, as read at start-up and changed by exits.
extern Progress progress;

// Where the progress goes after an exit changed it; null where the run keeps
// none (--timedemo), and then an exit shows its time without a best time.
extern void (*keepProgress)(const Progress& progress);

// The longest time that is kept, just under a billion seconds: what the file
// holds must read back.
inline constexpr std::int64_t longestMilliseconds = 999999999999;
