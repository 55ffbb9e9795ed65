#include "GameFixture.h"
#include "game/Death.h"
#include "game/Input.h"
#include "game/LevelEntry.h"
#include "game/Movement.h"
#include "level/LevelLoader.h"

#include <algorithm>

using Jump = GameTest;

TEST_F(Jump, RisesToALittleAboveTwentyEightHundredthsAndLandsAfterAboutPointEightSeconds) {
    const float dt = 0.01f;
    onKeyDown(' ', 0, 0);
    ASSERT_TRUE(jumpRequested);
    ASSERT_TRUE(player->jumpRising);

    int frames = 0;
    float peak = 0;
    while (jumpRequested && frames < 1000) {
        applyHeldKeys(dt);
        peak = std::max(peak, player->jumpHeight);
        ++frames;
    }
    EXPECT_GT(peak, 0.28f);
    EXPECT_LT(peak, 0.30f);
    EXPECT_GE(frames * dt, 0.8f);
    EXPECT_LE(frames * dt, 0.84f);
    EXPECT_FLOAT_EQ(player->jumpHeight, 0);
    EXPECT_FLOAT_EQ(player->jumpTimer, 0);
    EXPECT_FALSE(player->jumpRising);
}

TEST_F(Jump, SpaceWhileDescendingRisesAgainFromTheCurrentHeight) {
    const float dt = 0.01f;
    onKeyDown(' ', 0, 0);
    for (int i = 0; i < 55; ++i) applyHeldKeys(dt);  // past the peak
    ASSERT_FALSE(player->jumpRising);
    const float height = player->jumpHeight;
    ASSERT_LE(player->jumpTimer, 0.4f);

    onKeyDown(' ', 0, 0);
    applyHeldKeys(dt);
    EXPECT_GT(player->jumpHeight, height);
    EXPECT_TRUE(jumpRequested);
}

TEST_F(Jump, EveryLevelLoadEndsAJumpAndAFallInTheStandingPose) {
    TempDir dir;
    writeLevel(dir, 1, "");
    onKeyDown(' ', 0, 0);
    for (int i = 0; i < 10; ++i) applyHeldKeys(0.01f);
    ASSERT_GT(player->model.currentFrame, 1);
    falling = true;
    fallTime = 0.3f;

    enterLevel(1, Arrival::WhereStanding);
    EXPECT_FALSE(jumpRequested);
    EXPECT_FALSE(player->jumpRising);
    EXPECT_FLOAT_EQ(player->jumpHeight, 0);
    EXPECT_FLOAT_EQ(player->jumpTimer, 0);
    EXPECT_FALSE(falling);
    EXPECT_FLOAT_EQ(fallTime, 0);
    EXPECT_FLOAT_EQ(player->model.currentFrame, 1);
}

using Death = GameTest;

TEST_F(Death, DyingTakesPointSevenSecondsAndDropsAPlayerInTheAirAtOnce) {
    const float dt = 1.0f / 64;  // exact in binary
    player->jumpHeight = 0.2f;
    int frames = 1;
    while (!player->die(dt) && frames < 1000) {
        EXPECT_FLOAT_EQ(player->jumpHeight, 0);
        ++frames;
    }
    EXPECT_EQ(frames, 45);  // the first frame at or past 0.7 seconds
    EXPECT_FLOAT_EQ(player->jumpTimer, 0);

    // A sunken player stays sunk.
    player->jumpHeight = -0.3f;
    player->die(dt);
    EXPECT_FLOAT_EQ(player->jumpHeight, -0.3f);
}

TEST_F(Death, AFallSinksHalfASecondThenDiesThenRestartsTheLevel) {
    TempDir dir;
    writeLevel(dir, 2, "");
    currentLevel = 2;
    placePlayer(3, 4);
    camera.turnYaw(45);
    const float dt = 1.0f / 64;
    falling = true;

    int frames = 0;
    while (messages.empty() && frames < 1000) {
        updateFallAndDeath(dt);
        ++frames;
        if (frames == 31) {
            EXPECT_TRUE(falling);
            EXPECT_NEAR(player->jumpHeight, -0.31f, 1e-4);  // 0.01 per frame
        }
        if (frames == 32) {
            EXPECT_TRUE(dead);
            EXPECT_FALSE(falling);
            EXPECT_FLOAT_EQ(fallTime, 0);
        }
    }
    // 31 frames of sinking, then 45 frames of dying.
    EXPECT_EQ(frames, 76);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, "          You are dead!          ");
    EXPECT_EQ(messages[0].second, "Game Over");
    EXPECT_FALSE(dead);
    EXPECT_FALSE(falling);
    EXPECT_EQ(currentLevel, 2);
    EXPECT_FLOAT_EQ(camera.offset.x, 0);
    EXPECT_FLOAT_EQ(camera.yaw, 0);
    EXPECT_FLOAT_EQ(player->jumpHeight, 0);
}

TEST_F(Death, NothingHappensWhileAlive) {
    updateFallAndDeath(10);
    EXPECT_TRUE(messages.empty());
    EXPECT_FLOAT_EQ(player->jumpTimer, 0);
}
