#include <GL/glu.h>

#include <utility>

#include "GameFixture.h"
#include "game/Collision.h"
#include "game/Death.h"
#include "game/GameStep.h"
#include "game/Input.h"
#include "game/LevelEntry.h"
#include "game/Movement.h"
#include "game/SceneFrame.h"
#include "level/LevelLoader.h"
#include "scene/ViewBounds.h"

using SceneFrame = GameTest;

namespace {
// A probe that shows a ball of radius 0.5 round its position.
class BallProbe : public Probe {
public:
    bool localBounds(BoundingSphere& sphere) override {
        sphere = BoundingSphere{Vector3{}, 0.5f};
        return true;
    }
};

BallProbe& addBall(float z) {
    auto ball = std::make_unique<BallProbe>();
    ball->position = Vector3{0, 0, z};
    BallProbe& result = *ball;
    objects.push_back(std::move(ball));
    return result;
}

// The scene part of a frame: every draw, then the collision pass when it is on.
void drawAndCollide() {
    drawScene();
    if (collisionEnabled) checkCollisions();
}
}  // namespace

TEST_F(SceneFrame, DrawsEverythingAndSortsTheSortedObjectsFarthestFirst) {
    Probe& a = addProbe(objects, HIT_NONE, 0, -2);
    Probe& near = addProbe(sortedObjects, HIT_NONE, 0, -1);
    Probe& far = addProbe(sortedObjects, HIT_NONE, 0, -8);
    Probe& middle = addProbe(sortedObjects, HIT_NONE, 3, 0);
    camera.turnPitch(20);
    drawAndCollide();
    EXPECT_FLOAT_EQ(player->rotationX, 20);
    EXPECT_TRUE(camera.matrixValid);
    EXPECT_EQ(a.drawCalls, 1);
    ASSERT_EQ(sortedObjects.size(), 3u);
    EXPECT_EQ(sortedObjects[0].get(), &far);
    EXPECT_EQ(sortedObjects[1].get(), &middle);
    EXPECT_EQ(sortedObjects[2].get(), &near);
    EXPECT_EQ(near.drawCalls, 1);
    EXPECT_EQ(near.collideCalls, 1);
}

TEST_F(SceneFrame, WithCollisionOffThereIsNoBlockFallDeathOrExit) {
    TempDir dir;
    writeLevel(dir, 2, "");
    addProbe(objects, HIT_MESH);
    addProbe(objects, HIT_LATTICE);
    addProbe(sortedObjects, HIT_ABYSS);
    addWall(-1, 0, 1, 0, 2, 1, 2);
    onKeyDown('c', 0, 0);
    for (int i = 0; i < 3; ++i) {
        drawAndCollide();
        advanceGame(0.01f);
    }
    EXPECT_FALSE(blocked);
    EXPECT_FALSE(dead);
    EXPECT_FALSE(falling);
    EXPECT_EQ(currentLevel, 1);
    EXPECT_EQ(walls.size(), 1u);

    onKeyDown('c', 0, 0);
    drawAndCollide();
    EXPECT_EQ(currentLevel, 2);
}

TEST_F(SceneFrame, TheOptimisationSwitchIsPushedOnlyWhenItChanges) {
    TempDir dir;
    writeLevel(dir, 1,
               "SwitchObject\n0.1\n2\nTranslation=0 0 0\nRTranslation=0 0 0\nRotation=0 0 0\n"
               "Scaling=1 1 1\n0\n0\n");
    enterLevel(1, Arrival::WhereStanding);
    pushOptimizationSwitch();
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_TRUE(objects[0]->useDisplayList);

    onKeyDown('o', 0, 0);
    pushOptimizationSwitch();
    EXPECT_FALSE(objects[0]->useDisplayList);
    EXPECT_TRUE(levelObject->useDisplayList);  // the level object keeps its lists

    // A new level's objects keep their default until the switch changes again.
    enterLevel(1, Arrival::WhereStanding);
    pushOptimizationSwitch();
    EXPECT_TRUE(objects[0]->useDisplayList);

    onKeyDown('o', 0, 0);
    pushOptimizationSwitch();
    EXPECT_TRUE(objects[0]->useDisplayList);
    onKeyDown('o', 0, 0);
    pushOptimizationSwitch();
    EXPECT_FALSE(objects[0]->useDisplayList);
}

TEST_F(SceneFrame, StartsWithoutAPlayerModel) {
    TempDir dir;
    writeLevel(dir, 1, "");
    player = nullptr;
    startScene();
    ASSERT_NE(player, nullptr);
    EXPECT_FLOAT_EQ(player->boundingSphere[3], 0.2f);
    EXPECT_EQ(player->segmentFps.size(), 4u);
    EXPECT_FLOAT_EQ(player->position.z, -1.5f);
    addWall(-1, 0.1f, 1, 0.1f, 2, -1);
    drawAndCollide();
    EXPECT_TRUE(blocked);
    advanceGame(0.01f);
}

TEST_F(SceneFrame, OnlyObjectsInViewAreDrawnAndAMovedObjectIsJudgedWhereItStandsNow) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45, 4.0 / 3, 0.1, 100);
    glMatrixMode(GL_MODELVIEW);
    BallProbe& first = addBall(-30);
    BallProbe& second = addBall(30);
    // As after a load, whose warm-up draws every object once.
    warmUpPending = true;
    drawScene();
    // The camera looks one way: one ball is in front of it, the other behind.
    ASSERT_EQ(first.drawCalls + second.drawCalls, 3);
    BallProbe& seen = first.drawCalls == 2 ? first : second;
    BallProbe& unseen = first.drawCalls == 2 ? second : first;
    EXPECT_EQ(seen.matrixDrawing, sceneDrawing);
    EXPECT_NE(unseen.matrixDrawing, sceneDrawing);

    // The balls change places, as a pressed switch moves, and say so.
    std::swap(seen.position, unseen.position);
    objectMoved(0);
    objectMoved(1);
    drawScene();
    EXPECT_EQ(seen.drawCalls, 2);
    EXPECT_EQ(unseen.drawCalls, 2);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}
