#include <GL/freeglut.h>

#include "GameFixture.h"
#include "app/WindowEvents.h"
#include "game/GameStep.h"
#include "game/Input.h"
#include "game/LevelEntry.h"
#include "game/Movement.h"
#include "level/LevelLoader.h"
#include "platform/Timer.h"

using FrameClock = GameTest;

TEST_F(FrameClock, RestartsAfterTheDeathBoxAndTheBoxForgetsHeldKeys) {
    TempDir dir;
    writeLevel(dir, 1, "");
    // While the box is open ten seconds pass and the player lets go of the keys.
    onMessage = [] { timer.startCount -= timer.frequency * 10; };
    nextFrameTime();
    onSpecialDown(GLUT_KEY_UP, 0, 0);
    onKeyDown(',', 0, 0);
    dead = true;
    player->jumpTimer = 0.69f;
    advanceGame(0.02f);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_FALSE(keyForward);
    EXPECT_FALSE(keyStrafeLeft);
    EXPECT_LT(nextFrameTime(), 1.0f);
}

TEST_F(FrameClock, ALoadRestartsTheClock) {
    TempDir dir;
    writeLevel(dir, 1, "");
    nextFrameTime();
    timer.startCount -= timer.frequency * 10;  // a slow load
    enterLevel(1, Arrival::WhereStanding);
    EXPECT_LT(nextFrameTime(), 1.0f);

    timer.startCount -= timer.frequency * 10;
    EXPECT_GT(nextFrameTime(), 9.9f);  // without a restart the time counts
}

TEST_F(FrameClock, ALoadErrorBoxAlsoForgetsHeldKeys) {
    TempDir dir;  // no level files at all
    onSpecialDown(GLUT_KEY_UP, 0, 0);
    enterLevel(1, Arrival::WhereStanding);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second, "Fehler beim Lesen der Files.");
    EXPECT_FALSE(keyForward);
}

TEST_F(FrameClock, AHiddenWindowStopsTheIdleStepsAndItsTimeIsNoFrame) {
    nextFrameTime();
    onWindowStatus(GLUT_HIDDEN);
    timer.startCount -= timer.frequency * 10;  // ten seconds minimised
    onWindowStatus(GLUT_FULLY_RETAINED);
    EXPECT_LT(nextFrameTime(), 1.0f);

    // Shown again without having been hidden: the clock goes on.
    timer.startCount -= timer.frequency * 10;
    onWindowStatus(GLUT_PARTIALLY_RETAINED);
    EXPECT_GT(nextFrameTime(), 9.9f);
    glutIdleFunc(nullptr);
}
