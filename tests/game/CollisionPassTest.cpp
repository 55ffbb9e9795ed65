#include <cmath>

#include "GameFixture.h"
#include "game/Collision.h"
#include "game/LevelEntry.h"
#include "game/Movement.h"
#include "level/LevelLoader.h"

TEST(WallTest, SegmentsTouchWhereTheirNearestPointIsWithinTheRadius) {
    // Along z from (0, 0) to (0, 2); circles of radius 0.2 beside it.
    EXPECT_TRUE(segmentTouchesSphere(0, 0, 0, 0, 0, 2, 0.1f, 0, 1, 0.2f));
    EXPECT_TRUE(segmentTouchesSphere(0, 0, 0, 0, 0, 2, -0.2f, 0, 1, 0.2f));  // touching counts
    EXPECT_FALSE(segmentTouchesSphere(0, 0, 0, 0, 0, 2, 0.21f, 0, 1, 0.2f));
    // Exactly at an end point, from the side: t is 0 or 1 and the distance is r.
    EXPECT_TRUE(segmentTouchesSphere(0, 0, 0, 0, 0, 2, 0.2f, 0, 0, 0.2f));
    EXPECT_TRUE(segmentTouchesSphere(0, 0, -2, 0, 0, 0, 0.2f, 0, 0, 0.2f));
    EXPECT_TRUE(segmentTouchesSphere(-3, 0, 5, 5, 0, 5, 5, 0, 5.2f, 0.2f));
    // Beyond an end the nearest point of the line is off the segment.
    EXPECT_FALSE(segmentTouchesSphere(0, 0, 0, 0, 0, 2, 0, 0, 2.1f, 0.2f));
    EXPECT_FALSE(segmentTouchesSphere(0, 0, 0, 0, 0, 2, 0, 0, -0.1f, 0.2f));
    // Slanted.
    EXPECT_TRUE(segmentTouchesSphere(0, 0, 0, 2, 0, 2, 1.1f, 0, 0.9f, 0.2f));
    EXPECT_FALSE(segmentTouchesSphere(0, 0, 0, 2, 0, 2, 1.2f, 0, 0.8f, 0.2f));
}

TEST(WallTest, AWallOfNoLengthBlocksWhereTheCircleCoversItsPoint) {
    EXPECT_TRUE(segmentTouchesSphere(1, 0, 1, 1, 0, 1, 1.1f, 0, 1, 0.2f));
    EXPECT_TRUE(segmentTouchesSphere(0, 0, 0, 0, 0, 0, 0, 0, -0.2f, 0.2f));
    EXPECT_FALSE(segmentTouchesSphere(1, 0, 1, 1, 0, 1, 1.3f, 0, 1, 0.2f));
}

using CollisionPass = GameTest;

TEST_F(CollisionPass, ObjectsFiveOrMoreUnitsAwayAreNeverTested) {
    placePlayer(1, 1);
    Probe& near = addProbe(objects, HIT_NONE, 1, 5.99f);
    Probe& atFive = addProbe(objects, HIT_MESH, 4, 5);        // ground distance exactly 5
    Probe& far = addProbe(sortedObjects, HIT_ABYSS, 1, -20);  // however large it may be
    atFive.position.y = -100;                                 // height does not count
    Probe& unusable = addProbe(objects, HIT_MESH, std::nanf(""), 1);
    checkCollisions();
    EXPECT_EQ(unusable.collideCalls, 0);
    EXPECT_EQ(near.collideCalls, 1);
    EXPECT_EQ(atFive.collideCalls, 0);
    EXPECT_EQ(far.collideCalls, 0);
    EXPECT_FLOAT_EQ(atFive.distanceToPlayer, 5);
    EXPECT_FLOAT_EQ(far.distanceToPlayer, 21);
    EXPECT_FALSE(dead);
    EXPECT_FALSE(falling);
}

TEST_F(CollisionPass, ADeathStopsTheObjectsButSortedObjectsAndWallsAreStillTested) {
    Probe& first = addProbe(objects, HIT_NONE);
    Probe& deadly = addProbe(objects, HIT_MESH);
    Probe& after = addProbe(objects, HIT_MESH);
    Probe& water = addProbe(sortedObjects, HIT_ABYSS);
    Probe& lattice = addProbe(sortedObjects, HIT_LATTICE);
    addWall(-1, 0.1f, 1, 0.1f, 2, 1);
    checkCollisions();
    EXPECT_EQ(first.collideCalls, 1);
    EXPECT_EQ(deadly.collideCalls, 1);
    EXPECT_EQ(after.collideCalls, 0);
    EXPECT_EQ(water.collideCalls, 1);
    EXPECT_EQ(lattice.collideCalls, 0);  // the abyss stopped the sorted scan
    EXPECT_TRUE(dead);
    EXPECT_TRUE(falling);
    EXPECT_TRUE(blocked);
    EXPECT_EQ(blockAxis, 2);
}

TEST_F(CollisionPass, SwitchesActivateTheirLinksAndLatticesBlock) {
    Probe& target = addProbe(objects, HIT_NONE, 30, 30);
    Probe& sortedTarget = addProbe(sortedObjects, HIT_NONE, 30, 30);
    Probe& pressed = addProbe(objects, HIT_SWITCH);
    pressed.linkedObjects = {&target, &target};
    pressed.linkedSortedObjects = {&sortedTarget};
    Probe& lattice = addProbe(sortedObjects, HIT_LATTICE, 0.5f, 0);
    lattice.blockAxis = 0;
    lattice.blockSign = -1;
    Probe& later = addProbe(sortedObjects, HIT_NONE);
    checkCollisions();
    EXPECT_EQ(target.activateCalls, 2);
    EXPECT_EQ(sortedTarget.activateCalls, 1);
    EXPECT_TRUE(blocked);
    EXPECT_EQ(blockAxis, 0);
    EXPECT_EQ(blockSign, -1);
    EXPECT_EQ(later.collideCalls, 1);  // a lattice does not end the scan
    EXPECT_FALSE(dead);
}

TEST_F(CollisionPass, EveryTouchedWallBlocksAndFarWallsDoNotBlock) {
    placePlayer(0, 0);
    addWall(-1, 0.2f, 1, 0.2f, 2, 1);   // touched
    addWall(-1, -5, 1, -5, 2, -1);      // far away
    addWall(0.2f, -1, 0.2f, 1, 0, -1);  // touched, last
    addWall(5, -1, 5, 1, 2, 1);         // far away
    checkCollisions();
    EXPECT_TRUE(blocked);
    EXPECT_EQ(blockAxis, 0);
    EXPECT_EQ(blockSign, -1);
    EXPECT_EQ(blockedDirections, directionBit(2, 1) | directionBit(0, -1));
}

// In a corner, facing exactly along one wall into the other: the wall ahead
// holds although the one alongside was touched last, and backing out goes.
TEST_F(CollisionPass, InACornerTheWallAheadHoldsAndBackingOutGoes) {
    placePlayer(0, 0);
    addWall(0.15f, -1, 0.15f, 1, 0, 1);     // east, ahead
    addWall(-1, -0.15f, 1, -0.15f, 2, -1);  // north, alongside, last
    camera.yaw = 90;
    checkCollisions();
    keyForward = true;
    EXPECT_FALSE(applyHeldKeys(0.1f));
    EXPECT_FLOAT_EQ(camera.offset.x, 0);
    keyForward = false;
    keyBackward = true;
    EXPECT_TRUE(applyHeldKeys(0.1f));
    EXPECT_NEAR(-camera.offset.x, -0.4f, 1e-6);
    EXPECT_FALSE(blocked);
    keyBackward = false;
}

TEST_F(CollisionPass, WallsUseThePlayersCircleAtItsGroundPosition) {
    placePlayer(10, -4);
    addWall(10.2f, -5, 10.2f, 5, 0, 1);  // touched exactly at the radius
    checkCollisions();
    EXPECT_TRUE(blocked);

    blocked = false;
    walls.clear();
    addWall(10.25f, -5, 10.25f, 5, 0, 1);
    checkCollisions();
    EXPECT_FALSE(blocked);
}

TEST_F(CollisionPass, AnExitWallLoadsItsLevelEvenInTheFrameOfADeathAndEndsThePass) {
    TempDir dir;
    writeLevel(dir, 3, "", "1\n-9 -9 9 -9 z 1 0\n");
    addProbe(objects, HIT_MESH);
    placePlayer(2, 3);
    camera.turnYaw(90);
    addWall(1, 3, 3, 3, 2, 1, 3);  // through the player: exit to level 3
    addWall(1, 3, 3, 3, 0, -1);    // would also block, but the pass has ended
    checkCollisions();
    EXPECT_EQ(currentLevel, 3);
    EXPECT_FALSE(dead);  // the load ended the death
    EXPECT_FALSE(blocked);
    EXPECT_FLOAT_EQ(camera.offset.x, 0);
    EXPECT_FLOAT_EQ(camera.yaw, 0);
    ASSERT_EQ(walls.size(), 1u);  // level 3's wall
    EXPECT_FLOAT_EQ(walls[0].z1, -9);
    EXPECT_TRUE(objects.empty());
}

TEST_F(CollisionPass, AnExitBeyondTheLastLevelKeepsTheSceneAndRestartsIt) {
    TempDir dir;
    writeLevel(dir, 3, "", "1\n-1 0 1 0 z 1 4\n");
    currentLevel = 3;
    enterLevel(3, Arrival::WhereStanding);
    ASSERT_EQ(walls.size(), 1u);
    placePlayer(0, 0.1f);
    checkCollisions();
    EXPECT_EQ(currentLevel, 3);
    EXPECT_EQ(walls.size(), 1u);
    EXPECT_FLOAT_EQ(camera.offset.z, 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(CollisionPass, WithoutABoundingModelObjectsAreAskedWithNothingAndWallsStillCount) {
    ASSERT_EQ(player->model.boundingModel, nullptr);
    Probe& probe = addProbe(objects, HIT_NONE);
    addWall(-1, 0, 1, 0, 2, 1);
    checkCollisions();
    EXPECT_EQ(probe.collideCalls, 1);
    EXPECT_EQ(probe.lastOther, nullptr);
    EXPECT_TRUE(blocked);
}

TEST_F(CollisionPass, ThePlayersBoundingModelIsPassedToEveryTest) {
    player->model.boundingModel = makeCollisionModel();
    Probe& probe = addProbe(sortedObjects, HIT_NONE);
    checkCollisions();
    EXPECT_EQ(probe.lastOther, player->model.boundingModel.get());
}
