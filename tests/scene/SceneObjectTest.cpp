#include <GL/gl.h>
#include <gtest/gtest.h>

#include "GlFixture.h"
#include "GlTestContext.h"
#include "ModelFiles.h"
#include "TempDir.h"
#include "scene/AbyssObject.h"
#include "scene/DeathObject.h"
#include "scene/LevelObject.h"
#include "scene/Player.h"
#include "scene/WaterAbyssObject.h"
#include "surfaces/CollisionModelPtr.h"

namespace {
// A thin triangle piercing the plane z = 0 at (x, 0), standing in for the player.
CollisionModelPtr probeAt(float x) {
    CollisionModelPtr model = makeCollisionModel();
    model->setTriangleCount(1);
    model->addTriangle(x, 0, -1, x + 0.1f, 0, 1, x - 0.1f, 0.1f, 1);
    model->finalize();
    const Matrix4 identity;
    model->setTransform(identity.data());
    return model;
}

class SceneObjectTest : public GlFixture {
protected:
    void SetUp() override {
        GlFixture::SetUp();
        dir.write("models/square.txt", testmodels::movingSquare(false));
        dir.write("models/boxed.txt", testmodels::movingSquare(true));
    }

    TempDir dir;
};
}  // namespace

TEST_F(SceneObjectTest, AbyssCollidesOnlyThroughItsBoundingBox) {
    auto probe = probeAt(0);

    AbyssObject bare;
    ASSERT_TRUE(bare.model.loadModel("./models/square.txt"));
    bare.drawLocal();
    EXPECT_EQ(bare.collide(probe.get()), HIT_NONE);  // its mesh overlaps, but it has no box

    WaterAbyssObject bareWater;
    ASSERT_TRUE(bareWater.model.loadModel("./models/square.txt"));
    bareWater.drawLocal();
    EXPECT_EQ(bareWater.collide(probe.get()), HIT_NONE);

    AbyssObject boxed;
    ASSERT_TRUE(boxed.model.loadModel("./models/boxed.txt"));
    boxed.drawLocal();
    EXPECT_EQ(boxed.collide(probe.get()), HIT_ABYSS);
    EXPECT_EQ(boxed.collide(nullptr), HIT_NONE);

    WaterAbyssObject boxedWater;
    ASSERT_TRUE(boxedWater.model.loadModel("./models/boxed.txt"));
    boxedWater.drawLocal();
    EXPECT_EQ(boxedWater.collide(probe.get()), HIT_ABYSS);

    // The box follows the placement of the last draw.
    boxed.position = {3, 0, 0};
    boxed.drawLocal();
    EXPECT_EQ(boxed.collide(probe.get()), HIT_NONE);
    auto moved = probeAt(3);
    EXPECT_EQ(boxed.collide(moved.get()), HIT_ABYSS);
}

TEST_F(SceneObjectTest, MovingDeathObjectCollidesInItsPoseStaticOneInTheFilePose) {
    auto atOrigin = probeAt(0);
    auto atFive = probeAt(5);

    DeathObject moving(false);
    DeathObject still(true);
    for (DeathObject* o : {&moving, &still}) {
        ASSERT_TRUE(o->model.loadModel("./models/square.txt"));
        o->drawLocal();
        EXPECT_EQ(o->collide(atOrigin.get()), HIT_MESH);
        EXPECT_EQ(o->collide(atFive.get()), HIT_NONE);
        o->update(5);  // frame 6: the bone has moved the square to x = 5
        EXPECT_FLOAT_EQ(o->model.currentFrame, 6);
        o->drawLocal();
    }
    EXPECT_EQ(moving.collide(atOrigin.get()), HIT_NONE);
    EXPECT_EQ(moving.collide(atFive.get()), HIT_MESH);
    EXPECT_EQ(still.collide(atOrigin.get()), HIT_MESH);
    EXPECT_EQ(still.collide(atFive.get()), HIT_NONE);
    EXPECT_EQ(moving.collide(nullptr), HIT_NONE);
}

TEST_F(SceneObjectTest, DeathObjectAnimatesOnlyWhileAnimating) {
    DeathObject death(false);
    ASSERT_TRUE(death.model.loadModel("./models/square.txt"));
    EXPECT_TRUE(death.animating);
    death.animating = false;
    death.update(3);
    EXPECT_FLOAT_EQ(death.model.currentFrame, 1);
    death.activate();
    EXPECT_TRUE(death.animating);
    death.update(3);
    EXPECT_FLOAT_EQ(death.model.currentFrame, 4);
}

TEST_F(SceneObjectTest, LevelObjectCollidesWithItsMeshes) {
    LevelObject level(true);
    ASSERT_TRUE(level.model.loadModel("./models/boxed.txt"));
    level.compileDisplayList();
    EXPECT_NE(level.displayList.get(), 0u);
    level.drawLocal();
    auto probe = probeAt(0);
    EXPECT_EQ(level.collide(probe.get()), HIT_MESH);
    auto beside = probeAt(2);
    EXPECT_EQ(level.collide(beside.get()), HIT_NONE);
}

TEST_F(SceneObjectTest, AbyssListIsRecordedOnlyWhileListsAreOn) {
    AbyssObject abyss;
    ASSERT_TRUE(abyss.model.loadModel("./models/square.txt"));
    abyss.useDisplayList = false;
    abyss.compileDisplayList();
    EXPECT_EQ(abyss.displayList.get(), 0u);
    abyss.useDisplayList = true;
    abyss.compileDisplayList();
    EXPECT_TRUE(glIsList(abyss.displayList.get()));
}

TEST_F(SceneObjectTest, PlayerIsPlacedInEyeCoordinatesWithItsJump) {
    Player player;
    player.position = {0, -0.5f, -1.5f};
    player.pivot = {0, 0.5f, 0};
    player.rotationY = 180;
    player.jumpHeight = 0.25f;

    float view[16];
    glPushMatrix();
    glRotatef(40, 0, 1, 0);
    glTranslatef(3, 1, -7);
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    glPopMatrix();

    player.drawLocal();
    const Matrix4 local = player.modelViewMatrix;
    glLoadMatrixf(view);  // whatever the camera left on the stack
    player.draw(nullptr);
    glLoadIdentity();
    for (int k = 0; k < 16; ++k) EXPECT_FLOAT_EQ(player.modelViewMatrix.m[k], local.m[k]);
    EXPECT_FLOAT_EQ(local.m[12], 0);
    EXPECT_FLOAT_EQ(local.m[13], -0.5f + 0.25f);
    EXPECT_FLOAT_EQ(local.m[14], -1.5f);
    EXPECT_FLOAT_EQ(local.m[0], -1);  // turned round to face away from the camera
}
