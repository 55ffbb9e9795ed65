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

TEST(BlockTable, EveryRowWithItsClosedIntervalEnds) {
    const Row rows[] = {
        // axis 0, sign +1: forward [0, 180], backward [180, 360]
        {0, 1, true, 0, true},
        {0, 1, true, 90, true},
        {0, 1, true, 180, true},
        {0, 1, true, 180.01f, false},
        {0, 1, true, 360, false},
        {0, 1, false, 179.99f, false},
        {0, 1, false, 180, true},
        {0, 1, false, 360, true},
        {0, 1, false, 0, false},
        // axis 0, sign -1: forward [180, 360], backward [0, 180]
        {0, -1, true, 179.99f, false},
        {0, -1, true, 180, true},
        {0, -1, true, 360, true},
        {0, -1, false, 0, true},
        {0, -1, false, 180, true},
        {0, -1, false, 180.01f, false},
        // axis 2, sign +1: forward [90, 270], backward <= 90 or >= 270
        {2, 1, true, 89.99f, false},
        {2, 1, true, 90, true},
        {2, 1, true, 270, true},
        {2, 1, true, 270.01f, false},
        {2, 1, false, 90, true},
        {2, 1, false, 270, true},
        {2, 1, false, 180, false},
        {2, 1, false, 0, true},
        {2, 1, false, 360, true},
        // axis 2, sign -1: forward <= 90 or >= 270, backward [90, 270]
        {2, -1, true, 90, true},
        {2, -1, true, 270, true},
        {2, -1, true, 0, true},
        {2, -1, true, 90.01f, false},
        {2, -1, true, 269.99f, false},
        {2, -1, false, 90, true},
        {2, -1, false, 270, true},
        {2, -1, false, 89.99f, false},
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
    // After a reset the heading is exactly 0, the closed end of the interval.
    blocked = true;
    blockAxis = 0;
    blockSign = 1;
    keyForward = true;
    EXPECT_FALSE(applyHeldKeys(0.1f));
    EXPECT_FLOAT_EQ(camera.offset.z, 0);
    EXPECT_TRUE(blocked);

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
