#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "GlTestContext.h"
#include "game/Camera.h"

namespace {
// The point p moved by a column-major matrix.
Vector3 transform(const float* m, float x, float y, float z) {
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14]};
}
}  // namespace

TEST(Camera, GlobalStartsAtTheOriginWithTheFixedEyePlacement) {
    Camera fresh(0, -0.5f, 0, -1.5f);
    EXPECT_FLOAT_EQ(camera.base.y, -0.5f);
    EXPECT_FLOAT_EQ(camera.distance, -1.5f);
    EXPECT_FLOAT_EQ(fresh.yaw, 0);
    EXPECT_FLOAT_EQ(fresh.pitch, 0);
    EXPECT_FALSE(fresh.matrixValid);
}

TEST(Camera, TurnsWrapIntoTheOpenClosedCircle) {
    Camera c(0, -0.5f, 0, -1.5f);
    c.turnYaw(0);
    EXPECT_FLOAT_EQ(c.yaw, 360);  // a heading of exactly 0 becomes 360
    c.turnYaw(10);
    EXPECT_FLOAT_EQ(c.yaw, 10);
    c.turnYaw(-10);
    EXPECT_FLOAT_EQ(c.yaw, 360);
    c.turnYaw(-30);
    EXPECT_FLOAT_EQ(c.yaw, 330);
    c.turnYaw(30);
    EXPECT_FLOAT_EQ(c.yaw, 360);

    c.turnPitch(350);
    c.turnPitch(20);
    EXPECT_FLOAT_EQ(c.pitch, 10);
    c.turnPitch(-380);
    EXPECT_FLOAT_EQ(c.pitch, -10);
    c.turnPitch(-350);
    EXPECT_FLOAT_EQ(c.pitch, 0);  // -360 wraps to 0
}

TEST(Camera, EveryChangeInvalidatesTheMatrixAndResetKeepsTheEyePlacement) {
    ensureGlContext();
    Camera c(0, -0.5f, 0, -1.5f);
    auto changes = {+[](Camera& k) { k.turnYaw(1); }, +[](Camera& k) { k.turnPitch(1); },
                    +[](Camera& k) { k.moveForward(1); }, +[](Camera& k) { k.moveSideways(1); },
                    +[](Camera& k) { k.reset(); }};
    for (auto change : changes) {
        c.computeMatrix();
        ASSERT_TRUE(c.matrixValid);
        change(c);
        EXPECT_FALSE(c.matrixValid);
    }
    c.turnYaw(50);
    c.turnPitch(20);
    c.moveForward(3);
    c.reset();
    EXPECT_FLOAT_EQ(c.yaw, 0);
    EXPECT_FLOAT_EQ(c.pitch, 0);
    EXPECT_FLOAT_EQ(c.offset.x, 0);
    EXPECT_FLOAT_EQ(c.offset.z, 0);
    EXPECT_FLOAT_EQ(c.base.y, -0.5f);
    EXPECT_FLOAT_EQ(c.distance, -1.5f);
}

TEST(Camera, WalkingFollowsTheHeadingAndStrafingGoesLeftForPositiveSteps) {
    Camera c(0, -0.5f, 0, -1.5f);
    // The player stands at (-offset.x, -offset.z).
    c.moveForward(2);
    EXPECT_NEAR(-c.offset.x, 0, 1e-6);
    EXPECT_NEAR(-c.offset.z, -2, 1e-6);  // heading 0 walks toward -z
    c.moveSideways(1);
    EXPECT_NEAR(-c.offset.x, -1, 1e-6);  // left of -z is -x
    EXPECT_NEAR(-c.offset.z, -2, 1e-6);

    c.reset();
    c.turnYaw(90);
    c.moveForward(1);
    EXPECT_NEAR(-c.offset.x, 1, 1e-6);  // heading 90 walks toward +x
    c.moveForward(-3);
    EXPECT_NEAR(-c.offset.x, -2, 1e-5);
    c.moveSideways(-1);  // right of +x is +z
    EXPECT_NEAR(-c.offset.z, 1, 1e-5);
}

TEST(Camera, MatrixShowsThePlayerAheadOfTheEyeAndLeavesTheStackAlone) {
    ensureGlContext();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(7, 8, 9);

    Camera c(0, -0.5f, 0, -1.5f);
    c.turnYaw(37);
    c.turnPitch(25);
    c.moveForward(2.5f);
    c.moveSideways(-1.25f);
    c.computeMatrix();
    EXPECT_TRUE(c.matrixValid);

    float current[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, current);
    EXPECT_FLOAT_EQ(current[12], 7);
    EXPECT_FLOAT_EQ(current[13], 8);
    EXPECT_FLOAT_EQ(current[14], 9);

    // Whatever the heading and tilt, the point half a unit above the player
    // lies 1.5 units straight ahead of the eye.
    const float px = -c.offset.x, pz = -c.offset.z;
    Vector3 eye = transform(c.matrix, px, 0.5f, pz);
    EXPECT_NEAR(eye.x, 0, 1e-5);
    EXPECT_NEAR(eye.y, 0, 1e-5);
    EXPECT_NEAR(eye.z, -1.5f, 1e-5);

    // Level view: one unit further along the heading is one unit further ahead.
    c.turnPitch(-25);
    c.computeMatrix();
    const float a = c.yaw * 0.017453292f;
    eye = transform(c.matrix, px + std::sin(a), 0.5f, pz - std::cos(a));
    EXPECT_NEAR(eye.x, 0, 1e-5);
    EXPECT_NEAR(eye.z, -2.5f, 1e-5);

    // Straight from above, the way ahead is up the screen at any heading: the
    // tilt acts after the heading, not before it.
    c.turnPitch(90);
    c.computeMatrix();
    eye = transform(c.matrix, px + std::sin(a), 0.5f, pz - std::cos(a));
    EXPECT_NEAR(eye.x, 0, 1e-5);
    EXPECT_NEAR(eye.y, 1, 1e-5);
    EXPECT_NEAR(eye.z, -1.5f, 1e-5);
}
