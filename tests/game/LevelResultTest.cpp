#include <gtest/gtest.h>

#include <vector>

#include "GameFixture.h"
#include "game/GameStep.h"
#include "game/LevelEntry.h"
#include "game/LevelResult.h"
#include "game/Progress.h"

namespace {
std::vector<Progress> keptProgress;
void keepInMemory(const Progress& kept) { keptProgress.push_back(kept); }
}  // namespace

// Outside the anonymous namespace: a unity build would warn of the test classes derived from it.
class LevelResultTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        // Level 1's exit to level 2 runs through its start.
        writeLevel(dir, 1, "", "1\n-1 0.1 1 0.1 z 1 2\n");
        writeLevel(dir, 2, "");
        writeLevel(dir, 3, "");
        progress = Progress{};
        keptProgress.clear();
        keepProgress = keepInMemory;
    }
    void TearDown() override {
        keepProgress = nullptr;
        progress = Progress{};
        levelResult = LevelResult{};
        GameTest::TearDown();
    }

    TempDir dir;
};

// A level's time runs from entering it at its start to its exit, deaths
// included; the progress keeps the best time and the furthest level reached
// through an exit, and is handed on only when an exit changed it.
TEST_F(LevelResultTest, TheLevelsTimeCountsItsDeathsAndTheProgressKeepsTheBest) {
    enterLevel(1, Arrival::AtStart);
    advanceGame(10);
    dead = true;
    advanceGame(0.4f);
    advanceGame(0.4f);  // the death ends: its message, and level 1 from its start
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_FLOAT_EQ(static_cast<float>(levelSeconds), 10.8f);
    checkCollisions();
    EXPECT_EQ(currentLevel, 2);
    EXPECT_EQ(levelResult.text, "Level 1: 10.8 s, a new best");
    EXPECT_FLOAT_EQ(levelResult.secondsLeft, levelResultSeconds);
    EXPECT_EQ(levelSeconds, 0);
    ASSERT_EQ(keptProgress.size(), 1u);
    EXPECT_EQ(keptProgress[0].furthestLevel, 2);
    EXPECT_EQ(keptProgress[0].best(1), 10800);

    enterLevel(1, Arrival::AtStart);  // F1
    advanceGame(12);
    checkCollisions();
    EXPECT_EQ(levelResult.text, "Level 1: 12.0 s, best 10.8 s");
    EXPECT_EQ(keptProgress.size(), 1u) << "nothing changed, nothing to keep";

    enterLevel(3, Arrival::AtStart);  // F2 twice: no exit, no progress
    enterLevel(1, Arrival::AtStart);
    advanceGame(9.96f);
    checkCollisions();
    EXPECT_EQ(levelResult.text, "Level 1: 10.0 s, a new best (was 10.8 s)");
    ASSERT_EQ(keptProgress.size(), 2u);
    EXPECT_EQ(keptProgress[1].furthestLevel, 2);
    EXPECT_EQ(keptProgress[1].best(1), 9960);

    // A run that keeps no progress shows the time alone.
    keepProgress = nullptr;
    enterLevel(1, Arrival::AtStart);
    advanceGame(1);
    checkCollisions();
    EXPECT_EQ(levelResult.text, "Level 1: 1.0 s");
}
