#include <gtest/gtest.h>

#include "game/LevelResult.h"

// Tenths rounded from whole milliseconds; the best time before this one,
// where progress is kept, and whether this one beats it.
TEST(LevelResult, TheTextGivesTheTimeAndTheBestTimeBeforeIt) {
    EXPECT_EQ(levelResultText(1, 34217, 33750, true), "Level 1: 34.2 s, best 33.8 s");
    EXPECT_EQ(levelResultText(2, 33049, 33750, true), "Level 2: 33.0 s, a new best (was 33.8 s)");
    EXPECT_EQ(levelResultText(3, 59950, 0, true), "Level 3: 60.0 s, a new best");
    EXPECT_EQ(levelResultText(1, 34217, 33750, false), "Level 1: 34.2 s");
}
