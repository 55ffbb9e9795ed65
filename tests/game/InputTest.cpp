#include <GL/freeglut.h>

#include "GameFixture.h"
#include "game/Input.h"
#include "game/LevelEntry.h"
#include "game/Movement.h"
#include "level/LevelLoader.h"

using Input = GameTest;

TEST_F(Input, SpecialKeysHoldTheirFlagsUntilReleased) {
    const std::pair<int, bool*> keys[] = {
        {GLUT_KEY_LEFT, &keyTurnLeft}, {GLUT_KEY_UP, &keyForward},     {GLUT_KEY_RIGHT, &keyTurnRight},
        {GLUT_KEY_DOWN, &keyBackward}, {GLUT_KEY_PAGE_UP, &keyPageUp}, {GLUT_KEY_PAGE_DOWN, &keyPageDown},
    };
    for (const auto& [key, flag] : keys) {
        onSpecialDown(key, 0, 0);
        EXPECT_TRUE(*flag) << key;
    }
    for (const auto& [key, flag] : keys) {
        onSpecialUp(key, 0, 0);
        EXPECT_FALSE(*flag) << key;
    }
    onSpecialUp(GLUT_KEY_F1, 0, 0);  // no release action
    EXPECT_EQ(currentLevel, 1);
}

TEST_F(Input, LetterKeysToggleSwitchesAndOnlyLowerCaseActs) {
    onKeyDown(',', 0, 0);
    onKeyDown('.', 0, 0);
    EXPECT_TRUE(keyStrafeLeft);
    EXPECT_TRUE(keyStrafeRight);
    onKeyUp(',', 0, 0);
    EXPECT_FALSE(keyStrafeLeft);
    onKeyUp('.', 0, 0);
    EXPECT_FALSE(keyStrafeRight);

    onKeyDown('C', 0, 0);
    onKeyDown('O', 0, 0);
    onKeyDown('M', 0, 0);
    EXPECT_TRUE(collisionEnabled);
    EXPECT_TRUE(optimizationEnabled);
    EXPECT_TRUE(mipmapEnabled);

    onKeyDown('c', 0, 0);
    onKeyDown('o', 0, 0);
    EXPECT_FALSE(collisionEnabled);
    EXPECT_FALSE(optimizationEnabled);
    onKeyDown('c', 0, 0);
    EXPECT_TRUE(collisionEnabled);

    onKeyUp(' ', 0, 0);  // space has no release action
    onKeyDown(' ', 0, 0);
    onKeyUp(' ', 0, 0);
    EXPECT_TRUE(jumpRequested);
}

TEST_F(Input, WireframeAndSolidKeysSetThePolygonMode) {
    GLint mode[2];
    onSpecialDown(GLUT_KEY_F5, 0, 0);
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_LINE);
    EXPECT_EQ(mode[1], GL_LINE);
    onSpecialDown(GLUT_KEY_F6, 0, 0);
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_FILL);
    EXPECT_EQ(mode[1], GL_FILL);
}

// Run in a fresh process without a GL context: a forked copy of this one
// would run the GL driver's exit handlers for threads it does not have.
TEST(InputExit, EscapeEndsTheProcessWithCodeZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(onKeyDown(27, 0, 0), ::testing::ExitedWithCode(0), "");
}

TEST_F(Input, LevelKeysStepAndResetTheCameraButStayWithinTheLevels) {
    TempDir dir;
    writeLevel(dir, 1, "", "1\n0 -9 1 -9 z 1 0\n");
    writeLevel(dir, 2, "", "2\n0 -9 1 -9 z 1 0\n0 -8 1 -8 z 1 0\n");
    writeLevel(dir, 3, "", "3\n0 -9 1 -9 z 1 0\n0 -8 1 -8 z 1 0\n0 -7 1 -7 z 1 0\n");
    enterLevel(1, Arrival::WhereStanding);
    ASSERT_EQ(walls.size(), 1u);

    // F1 on level 1: level 1 stays loaded, the player goes back to its start.
    walls[0].nextLevel = 42;  // marks this very scene
    placePlayer(3, 3);
    camera.turnYaw(80);
    camera.turnPitch(30);
    onSpecialDown(GLUT_KEY_F1, 0, 0);
    EXPECT_EQ(currentLevel, 1);
    ASSERT_EQ(walls.size(), 1u);
    EXPECT_EQ(walls[0].nextLevel, 42);
    EXPECT_FLOAT_EQ(camera.offset.x, 0);
    EXPECT_FLOAT_EQ(camera.yaw, 0);
    EXPECT_FLOAT_EQ(camera.pitch, 0);

    onSpecialDown(GLUT_KEY_F2, 0, 0);
    EXPECT_EQ(currentLevel, 2);
    EXPECT_EQ(walls.size(), 2u);
    onSpecialDown(GLUT_KEY_F2, 0, 0);
    EXPECT_EQ(walls.size(), 3u);

    // F2 on level 3 likewise.
    walls[0].nextLevel = 42;
    placePlayer(-2, 1);
    onSpecialDown(GLUT_KEY_F2, 0, 0);
    EXPECT_EQ(currentLevel, 3);
    EXPECT_EQ(walls[0].nextLevel, 42);
    EXPECT_FLOAT_EQ(camera.offset.x, 0);

    onSpecialDown(GLUT_KEY_F1, 0, 0);
    EXPECT_EQ(currentLevel, 2);
    EXPECT_EQ(walls.size(), 2u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Input, HeldKeysKeepActingAcrossALevelChange) {
    TempDir dir;
    writeLevel(dir, 1, "");
    writeLevel(dir, 2, "");
    onSpecialDown(GLUT_KEY_UP, 0, 0);
    onSpecialDown(GLUT_KEY_F2, 0, 0);
    EXPECT_TRUE(keyForward);
    applyHeldKeys(0.25f);
    EXPECT_NE(camera.offset.z, 0);
}

namespace {
const char* latticeLevel =
    "LatticeObject\n"
    "x 1\n"
    "Up=0.5\n"
    "Translation=1 0 -3\n"
    "RTranslation=0 0 0\n"
    "Rotation=0 0 0\n"
    "Scaling=1 1 1\n"
    "0\n"
    "0\n";
}  // namespace

TEST_F(Input, MipMapKeyTwiceReloadsTwiceAndRestoresLattices) {
    TempDir dir;
    writeLevel(dir, 1, latticeLevel, "1\n-9 -9 9 -9 z 1 0\n");
    enterLevel(1, Arrival::WhereStanding);
    ASSERT_EQ(sortedObjects.size(), 1u);
    placePlayer(0.5f, -1);
    camera.turnYaw(30);

    for (bool expected : {false, true}) {
        sortedObjects[0]->activate();  // the lattice rises
        ASSERT_GT(sortedObjects[0]->position.y, 0);
        walls[0].nextLevel = 42;
        onKeyDown('m', 0, 0);
        EXPECT_EQ(mipmapEnabled, expected);
        ASSERT_EQ(sortedObjects.size(), 1u);
        EXPECT_FLOAT_EQ(sortedObjects[0]->position.y, 0);  // down again
        ASSERT_EQ(walls.size(), 1u);
        EXPECT_EQ(walls[0].nextLevel, 0);  // read again
        // Neither the camera nor the player moved.
        EXPECT_FLOAT_EQ(camera.offset.x, -0.5f);
        EXPECT_FLOAT_EQ(camera.yaw, 30);
    }
    EXPECT_TRUE(messages.empty());
}
