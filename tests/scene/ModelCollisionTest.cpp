#include <gtest/gtest.h>

#include "ModelText.h"
#include "TempDir.h"
#include "scene/ModelObject.h"
#include "surfaces/CollisionModelPtr.h"

namespace {

class TestObject : public ModelObject {
public:
    explicit TestObject(bool buildCollision) : ModelObject(buildCollision) {}
    void draw(const float*) override {}
    void activate() override {}
    HitKind collide(CollisionModel3D* other) override { return meshTest(other); }
    void update(float frames) override { model.advanceAnimation(frames); }
    void compileDisplayList() override {}
};

// A small triangle standing across the plane z = 0 around (x, y).
CollisionModelPtr probeAt(float x, float y) {
    CollisionModelPtr probe = makeCollisionModel();
    probe->setTriangleCount(1);
    probe->addTriangle(x + 0.1f, y + 0.1f, -0.5f, x + 0.1f, y + 0.1f, 0.5f, x + 0.2f, y + 0.2f, 0.5f);
    probe->finalize();
    const Matrix4 identity;
    probe->setTransform(identity.data());
    return probe;
}

// A triangle in z = 0 bound to a bone that rises by 10 between frames 1 and 11.
std::string risingModel(bool withBoundingBox) {
    return "Frames: 20\nMeshes: " + std::string(withBoundingBox ? "2" : "1") + "\n" + triangleMesh("Body", -1, 0, 0) +
           (withBoundingBox ? triangleMesh("BoundingBox", -1, 0) : "") + "Bones: 1\n" +
           boneBlock("Root", "", "0 0 0 0 0 0", {{1, 0, 0, 0}, {11, 0, 10, 0}}, {{1, 0, 0, 0}});
}

}  // namespace

TEST(ModelCollision, StaticMeshesKeepTheFilePositions) {
    TempDir dir;
    dir.write("m.txt", risingModel(false));
    const CollisionModelPtr atFile = probeAt(0, 0);
    const CollisionModelPtr atPose = probeAt(0, 10);

    TestObject fixed(true);
    ASSERT_TRUE(fixed.model.loadModel("m.txt"));
    fixed.update(10);
    EXPECT_EQ(fixed.collide(atFile.get()), HIT_MESH);
    EXPECT_EQ(fixed.collide(atPose.get()), HIT_NONE);

    TestObject moving(false);
    ASSERT_TRUE(moving.model.loadModel("m.txt"));
    EXPECT_EQ(moving.collide(atFile.get()), HIT_MESH);
    moving.update(10);
    EXPECT_EQ(moving.collide(atFile.get()), HIT_NONE);
    EXPECT_EQ(moving.collide(atPose.get()), HIT_MESH);

    // A mesh cut short collides with the triangles it has.
    std::string cut =
        "Meshes: 1\n" + meshBlock("Body", -1, {{0, 0, 0, 0, 0, -1}, {1, 0, 0, 0, 0, -1}, {0, 1, 0, 0, 0, -1}}, 1,
                                  {{0, 1, 2, 0, 0, 0}, {0, 1, 2, 0, 0, 0}});
    cut.resize(cut.rfind("0 0 1 2"));
    dir.write("cut.txt", cut);
    TestObject partial(true);
    ASSERT_TRUE(partial.model.loadModel("cut.txt"));
    ASSERT_EQ(partial.model.meshes[0].triangles.size(), 1u);
    EXPECT_EQ(partial.collide(atFile.get()), HIT_MESH);

    // The object's transform places the mesh: moved away, nothing touches.
    moving.modelViewMatrix.setTranslation({100, 0, 0});
    EXPECT_EQ(moving.collide(atPose.get()), HIT_NONE);
}

TEST(ModelCollision, NullOtherStillRebuildsThePose) {
    TempDir dir;
    dir.write("m.txt", risingModel(true));
    TestObject object(false);
    ASSERT_TRUE(object.model.loadModel("m.txt"));
    EXPECT_EQ(object.model.meshes[0].collisionModel, nullptr);
    EXPECT_EQ(object.collide(nullptr), HIT_NONE);
    const CollisionModel3D* first = object.model.meshes[0].collisionModel.get();
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(object.boundingTest(nullptr), HIT_NONE);
    EXPECT_EQ(object.model.meshCollisionModel(5), nullptr);
}

TEST(ModelCollision, BoundingTestUsesOnlyTheBoundingBox) {
    TempDir dir;
    const CollisionModelPtr atFile = probeAt(0, 0);
    dir.write("with.txt", risingModel(true));
    TestObject with(false);
    ASSERT_TRUE(with.model.loadModel("with.txt"));
    with.update(10);
    // The bounding model is never moved by bones.
    EXPECT_EQ(with.boundingTest(atFile.get()), HIT_ABYSS);
    with.modelViewMatrix.setTranslation({0, 0, 50});
    EXPECT_EQ(with.boundingTest(atFile.get()), HIT_NONE);

    dir.write("without.txt", risingModel(false));
    TestObject without(false);
    ASSERT_TRUE(without.model.loadModel("without.txt"));
    EXPECT_EQ(without.boundingTest(atFile.get()), HIT_NONE);
}
