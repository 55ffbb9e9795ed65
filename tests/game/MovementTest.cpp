#include "GameFixture.h"
#include "game/GameStep.h"
#include "game/Movement.h"

namespace {
struct Row {
    short axis, sign;
    bool forward;
    float yaw;
    bool refused;
};
}  // namespace

// A block refuses only the steps with a component toward the obstacle: at the
// ends of each interval the step runs exactly along it and goes through, so
// a player facing along a wall he touches can walk on either way.
TEST(BlockTable, EveryRowRefusesOnlyStepsTowardTheObstacle) {
    const Row rows[] = {
        // axis 0, sign +1: forward (0, 180), backward (180, 360)
        {0, 1, true, 0, false},
        {0, 1, true, 0.01f, true},
        {0, 1, true, 90, true},
        {0, 1, true, 179.99f, true},
        {0, 1, true, 180, false},
        {0, 1, true, 360, false},
        {0, 1, false, 180, false},
        {0, 1, false, 180.01f, true},
        {0, 1, false, 359.99f, true},
        {0, 1, false, 90, false},
        // axis 0, sign -1: forward (180, 360), backward (0, 180)
        {0, -1, true, 180, false},
        {0, -1, true, 270, true},
        {0, -1, true, 360, false},
        {0, -1, false, 0, false},
        {0, -1, false, 90, true},
        {0, -1, false, 180.01f, false},
        // axis 2, sign +1: forward (90, 270), backward below 90 or above 270
        {2, 1, true, 90, false},
        {2, 1, true, 90.01f, true},
        {2, 1, true, 269.99f, true},
        {2, 1, true, 270, false},
        {2, 1, false, 90, false},
        {2, 1, false, 270, false},
        {2, 1, false, 180, false},
        {2, 1, false, 0, true},
        {2, 1, false, 360, true},
        // axis 2, sign -1: forward below 90 or above 270, backward (90, 270)
        {2, -1, true, 90, false},
        {2, -1, true, 270, false},
        {2, -1, true, 0, true},
        {2, -1, true, 89.99f, true},
        {2, -1, false, 90, false},
        {2, -1, false, 180, true},
        {2, -1, false, 270.01f, false},
        // anything else never refuses
        {1, 1, true, 90, false},
        {0, 0, true, 90, false},
        {2, 2, false, 180, false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(stepRefused(r.forward, r.yaw, r.axis, r.sign), r.refused)
            << "axis " << r.axis << " sign " << r.sign << (r.forward ? " forward" : " backward") << " yaw " << r.yaw;
    }
}

using Movement = GameTest;

TEST_F(Movement, HeldKeysMoveTurnAndTiltByTheirSpeeds) {
    keyForward = true;
    EXPECT_TRUE(applyHeldKeys(0.25f));
    EXPECT_NEAR(-camera.offset.z, -1, 1e-6);  // 4 units per second
    keyForward = false;

    keyTurnRight = true;
    EXPECT_TRUE(applyHeldKeys(0.25f));
    EXPECT_NEAR(camera.yaw, 40, 1e-4);  // 160 degrees per second
    keyTurnRight = false;
    keyTurnLeft = true;
    applyHeldKeys(0.125f);
    EXPECT_NEAR(camera.yaw, 20, 1e-4);
    keyTurnLeft = false;

    keyStrafeRight = true;
    camera.reset();
    applyHeldKeys(0.25f);
    EXPECT_NEAR(-camera.offset.x, 1, 1e-6);
    keyStrafeRight = false;

    // Tilting is no movement.
    keyPageDown = true;
    EXPECT_FALSE(applyHeldKeys(0.125f));
    EXPECT_NEAR(camera.pitch, 20, 1e-4);
}

TEST_F(Movement, PitchLimitsAreTestedBeforeTheStep) {
    const float twoDegrees = 2.0f / 160;
    camera.pitch = 0.5f;
    keyPageUp = true;
    applyHeldKeys(twoDegrees);
    EXPECT_NEAR(camera.pitch, -1.5f, 1e-5);
    applyHeldKeys(twoDegrees);
    EXPECT_NEAR(camera.pitch, -1.5f, 1e-5);
    keyPageUp = false;

    camera.pitch = 89.5f;
    keyPageDown = true;
    applyHeldKeys(twoDegrees);
    EXPECT_NEAR(camera.pitch, 91.5f, 1e-4);
    applyHeldKeys(twoDegrees);
    EXPECT_NEAR(camera.pitch, 91.5f, 1e-4);
}

TEST_F(Movement, ABlockRefusesStepsTowardTheObstacleUntilAStepAwayGoesThrough) {
    // After a reset the heading is exactly 0: along a block toward +x, the
    // step goes through and ends it.
    blocked = true;
    blockAxis = 0;
    blockSign = 1;
    keyForward = true;
    EXPECT_TRUE(applyHeldKeys(0.1f));
    EXPECT_FALSE(blocked);
    camera.reset();
    blocked = true;

    // Turning and strafing are allowed and keep the block.
    keyForward = false;
    keyTurnRight = keyStrafeLeft = true;
    EXPECT_TRUE(applyHeldKeys(0.25f));
    EXPECT_NEAR(camera.yaw, 40, 1e-4);
    EXPECT_NE(camera.offset.x, 0);
    EXPECT_TRUE(blocked);

    // Toward +x is still refused; backward has a component toward -x.
    keyTurnRight = keyStrafeLeft = false;
    keyForward = true;
    const Vector3 before = camera.offset;
    applyHeldKeys(0.1f);
    EXPECT_FLOAT_EQ(camera.offset.x, before.x);
    EXPECT_TRUE(blocked);
    keyForward = false;
    keyBackward = true;
    EXPECT_TRUE(applyHeldKeys(0.1f));
    EXPECT_FALSE(blocked);
    EXPECT_NE(camera.offset.x, before.x);

    // Unblocked, the forward step goes through again.
    keyBackward = false;
    keyForward = true;
    applyHeldKeys(0.1f);
    EXPECT_NEAR(camera.offset.x, before.x, 1e-6);
}

TEST_F(Movement, DeadOrFallingPlayersIgnoreKeysWhileObjectsKeepAnimating) {
    Probe& animated = addProbe(objects, HIT_NONE);
    animated.fps = 25;
    Probe& still = addProbe(objects, HIT_NONE);
    Probe& sorted = addProbe(sortedObjects, HIT_NONE);
    sorted.fps = 25;

    falling = true;
    keyForward = keyTurnLeft = true;
    advanceGame(0.04f);
    EXPECT_FLOAT_EQ(camera.offset.z, 0);
    EXPECT_FLOAT_EQ(camera.yaw, 0);
    EXPECT_EQ(animated.updateCalls, 1);
    EXPECT_NEAR(animated.updatedFrames, 1, 1e-5);  // fps times the frame time
    EXPECT_EQ(still.updateCalls, 0);
    EXPECT_EQ(sorted.updateCalls, 0);

    falling = false;
    advanceGame(0.04f);
    EXPECT_NE(camera.offset.z, 0);
    EXPECT_EQ(animated.updateCalls, 2);
}
