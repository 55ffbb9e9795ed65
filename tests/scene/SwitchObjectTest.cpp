#include "GlFixture.h"
#include "scene/SwitchObject.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "GlTestContext.h"
#include "surfaces/CollisionModelPtr.h"

namespace {
// One triangle standing in for the player's model, placed at the origin.
CollisionModelPtr triangleModel(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                                float z3) {
    CollisionModelPtr model = makeCollisionModel();
    model->setTriangleCount(1);
    model->addTriangle(x1, y1, z1, x2, y2, z2, x3, y3, z3);
    model->finalize();
    const Matrix4 identity;
    model->setTransform(identity.data());
    return model;
}

// Pokes through the middle of the top face from below.
CollisionModelPtr footThroughTop() { return triangleModel(0, 0.5f, 0, 0.5f, 1.5f, 0, -0.5f, 1.5f, 0); }

using SwitchObjectTest = GlFixture;
}  // namespace

TEST_F(SwitchObjectTest, MovesOnceAlongItsAxisAndFiresOnce) {
    const float moved[4][3] = {{0, 0, 0}, {-0.1f, 0, 0}, {0, -0.1f, 0}, {0, 0, -0.1f}};
    for (short axis : {0, 1, 2, 3, 7}) {
        SwitchObject plate;
        plate.pressAxis = axis;
        plate.pressDistance = -0.1f;
        auto foot = footThroughTop();

        plate.drawLocal();
        EXPECT_EQ(plate.collide(foot.get()), HIT_SWITCH) << "axis " << axis;
        EXPECT_TRUE(plate.pressed);
        const float* expected = moved[axis <= 3 ? axis : 0];
        EXPECT_FLOAT_EQ(plate.position.x, expected[0]) << "axis " << axis;
        EXPECT_FLOAT_EQ(plate.position.y, expected[1]) << "axis " << axis;
        EXPECT_FLOAT_EQ(plate.position.z, expected[2]) << "axis " << axis;

        // Still touching it, frame after frame: nothing more happens.
        for (int frame = 0; frame < 3; ++frame) {
            plate.drawLocal();
            EXPECT_EQ(plate.collide(foot.get()), HIT_NONE);
        }
        EXPECT_FLOAT_EQ(plate.position.x + plate.position.y + plate.position.z,
                        expected[0] + expected[1] + expected[2]);
    }
}

TEST_F(SwitchObjectTest, OnlyTheTopFaceCollides) {
    SwitchObject plate;
    plate.pressAxis = 2;
    plate.pressDistance = -0.1f;
    plate.drawLocal();

    // Through the +x side face, well below the top.
    auto side = triangleModel(0.5f, 0, 0, 1.5f, 0, 0.4f, 1.5f, 0, -0.4f);
    EXPECT_EQ(plate.collide(side.get()), HIT_NONE);
    // Inside the box, under the top: the box is hollow for collision.
    auto inside = triangleModel(-0.5f, 0, -0.5f, 0.5f, 0, -0.5f, 0, 0, 0.5f);
    EXPECT_EQ(plate.collide(inside.get()), HIT_NONE);
    EXPECT_EQ(plate.collide(nullptr), HIT_NONE);
    EXPECT_FALSE(plate.pressed);
    EXPECT_FLOAT_EQ(plate.position.y, 0);

    // Reaching up to the top face over the edge does press it.
    auto overEdge = triangleModel(0.5f, 0.5f, 0, 1.5f, 1.5f, 0, 0.5f, 1.5f, 0);
    EXPECT_EQ(plate.collide(overEdge.get()), HIT_SWITCH);
}

TEST_F(SwitchObjectTest, CollidesWhereItWasLastDrawn) {
    SwitchObject plate;
    plate.pressAxis = 2;
    plate.position = {5, 0, 0};
    plate.drawLocal();
    auto foot = footThroughTop();
    EXPECT_EQ(plate.collide(foot.get()), HIT_NONE);

    // Moved, but not drawn yet: the test still uses the last draw.
    plate.position = {0, 0, 0};
    EXPECT_EQ(plate.collide(foot.get()), HIT_NONE);
    plate.drawLocal();
    EXPECT_EQ(plate.collide(foot.get()), HIT_SWITCH);
}
