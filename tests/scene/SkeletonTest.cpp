#include <gtest/gtest.h>

#include <cmath>

#include "ModelText.h"
#include "TempDir.h"
#include "scene/Model.h"

namespace {

Model oneBone(const Bone& bone) {
    Model model(false);
    model.frameCount = 30;
    model.bones.push_back(bone);
    model.prepareSkeleton();
    return model;
}

Bone keyedBone(std::vector<Key> positions) {
    Bone bone;
    bone.name = "Root";
    bone.positionKeys = std::move(positions);
    bone.rotationKeys = {{1, 0, 0, 0}};
    return bone;
}

}  // namespace

TEST(Matrix4, PostMultiplyIsTheAffineProduct) {
    Matrix4 a, b;
    a.setRotationRadians({0.3f, -1.1f, 2.0f});
    a.setTranslation({1, 2, 3});
    b.setRotationRadians({-0.7f, 0.4f, 0.9f});
    b.setTranslation({-4, 5, 0.5f});

    float expected[16] = {};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            for (int k = 0; k < 4; ++k) expected[column * 4 + row] += a.m[k * 4 + row] * b.m[column * 4 + k];

    Matrix4 product = a;
    product.postMultiply(b);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(product.m[i], expected[i], 1e-5f) << i;

    // Multiplying by itself reads the old values only.
    float squared[16] = {};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            for (int k = 0; k < 4; ++k) squared[column * 4 + row] += a.m[k * 4 + row] * a.m[column * 4 + k];
    a.postMultiply(a);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(a.m[i], squared[i], 1e-5f) << i;

    // The rotation is a proper rotation: orthonormal columns.
    Matrix4 r;
    r.setRotationRadians({0.3f, -1.1f, 2.0f});
    for (int c = 0; c < 3; ++c) {
        const float length =
            r.m[c * 4] * r.m[c * 4] + r.m[c * 4 + 1] * r.m[c * 4 + 1] + r.m[c * 4 + 2] * r.m[c * 4 + 2];
        EXPECT_NEAR(length, 1.0f, 1e-5f);
    }
}

TEST(Matrix4, AnglesTurnAboutXThenYThenZRightHanded) {
    constexpr float quarterTurn = 1.57079633f;
    // A quarter turn about each axis, by where it sends the other axes.
    Matrix4 x, y, z;
    x.setRotationRadians({quarterTurn, 0, 0});
    y.setRotationRadians({0, quarterTurn, 0});
    z.setRotationRadians({0, 0, quarterTurn});
    const Vector3 yAfterX = x.transformPoint(0, 1, 0);
    EXPECT_NEAR(yAfterX.y, 0, 1e-6f);
    EXPECT_NEAR(yAfterX.z, 1, 1e-6f);
    const Vector3 zAfterY = y.transformPoint(0, 0, 1);
    EXPECT_NEAR(zAfterY.x, 1, 1e-6f);
    EXPECT_NEAR(zAfterY.z, 0, 1e-6f);
    const Vector3 xAfterZ = z.transformPoint(1, 0, 0);
    EXPECT_NEAR(xAfterZ.x, 0, 1e-6f);
    EXPECT_NEAR(xAfterZ.y, 1, 1e-6f);

    // Three angles together: x first, then y, then z, all about the fixed axes.
    const Vector3 angles{0.3f, -1.1f, 2.0f};
    Matrix4 ax, ay, az, all;
    ax.setRotationRadians({angles.x, 0, 0});
    ay.setRotationRadians({0, angles.y, 0});
    az.setRotationRadians({0, 0, angles.z});
    az.postMultiply(ay);
    az.postMultiply(ax);
    all.setRotationRadians(angles);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(all.m[i], az.m[i], 1e-6f) << i;

    // Only the rotation block is written; the translation stays.
    Matrix4 placed;
    placed.setTranslation({4, 5, 6});
    placed.setRotationRadians(angles);
    EXPECT_EQ(placed.m[12], 4);
    EXPECT_EQ(placed.m[14], 6);
    EXPECT_EQ(placed.m[15], 1);
}

TEST(Skeleton, AChildIsPlacedInItsParentsFrame) {
    constexpr float quarterTurn = 1.57079633f;
    Model model(false);
    model.frameCount = 30;
    Bone root;
    root.name = "Root";
    root.restPosition = {1, 0, 0};
    root.restRotation = {0, quarterTurn, 0};  // the root's z axis points along model x
    root.positionKeys = {{1, 0, 0, 0}};
    root.rotationKeys = {{1, 0, 0, 0}};
    Bone child;
    child.name = "Child";
    child.parentName = "ROOT";
    child.restPosition = {0, 0, 2};
    child.positionKeys = {{1, 0, 0, 0}, {11, 0, 0, 1}};
    child.rotationKeys = {{1, 0, 0, 0}};
    model.bones = {root, child};
    ASSERT_TRUE(model.prepareSkeleton());

    // Rest: two units along the root's z, which is model x, from the root at x = 1.
    const float* rest = model.bones[1].absolute.m;
    EXPECT_NEAR(rest[12], 3, 1e-5f);
    EXPECT_NEAR(rest[13], 0, 1e-5f);
    EXPECT_NEAR(rest[14], 0, 1e-5f);

    // A key moves the child within its own rest frame, so also along model x.
    model.currentFrame = 1;
    model.advanceAnimation(10);
    const float* posed = model.bones[1].absolute.m;
    EXPECT_NEAR(posed[12], 4, 1e-5f);
    EXPECT_NEAR(posed[14], 0, 1e-5f);
}

TEST(Skeleton, KeysBlendAndExtrapolate) {
    Model model = oneBone(keyedBone({{1, 0, 0, 0}, {11, 10, 0, 0}}));
    Bone& bone = model.bones[0];
    model.poseBone(bone, 6);
    EXPECT_FLOAT_EQ(bone.absolute.m[12], 5);
    model.poseBone(bone, 0.5f);
    EXPECT_FLOAT_EQ(bone.absolute.m[12], 0);
    model.poseBone(bone, 13);
    EXPECT_FLOAT_EQ(bone.absolute.m[12], 12);
    model.poseBone(bone, 11);
    EXPECT_FLOAT_EQ(bone.absolute.m[12], 10);

    // Two keys at the same time give the later key instead of dividing by zero.
    Model same = oneBone(keyedBone({{1, 0, 0, 0}, {5, 10, 0, 0}, {5, 20, 0, 0}}));
    same.poseBone(same.bones[0], 7);
    EXPECT_FLOAT_EQ(same.bones[0].absolute.m[12], 20);

    // A bone without keys of one kind keeps its rest value for that kind.
    Bone rest;
    rest.restPosition = {1, 2, 3};
    rest.rotationKeys = {{1, 0, 0, 0}};
    Model noKeys = oneBone(rest);
    noKeys.poseBone(noKeys.bones[0], 4);
    EXPECT_FLOAT_EQ(noKeys.bones[0].absolute.m[13], 2);
    EXPECT_TRUE(std::isfinite(noKeys.bones[0].absolute.m[0]));
}

TEST(Skeleton, AdvancingWrapsToTheStart) {
    Model model = oneBone(keyedBone({{1, 0, 0, 0}, {31, 30, 0, 0}}));
    model.currentFrame = 29.5f;
    model.advanceAnimation(1);
    EXPECT_EQ(model.currentFrame, 1);
    EXPECT_FLOAT_EQ(model.bones[0].absolute.m[12], 0);
    model.currentFrame = 29.5f;
    model.advanceAnimation(0.5f);
    EXPECT_EQ(model.currentFrame, 30);
    EXPECT_FLOAT_EQ(model.bones[0].absolute.m[12], 29);

    model.frameCount = 100;
    model.currentFrame = 44;
    model.advanceAnimationRange(2, 30, 45);
    EXPECT_EQ(model.currentFrame, 30);
    model.currentFrame = 10;
    model.advanceAnimationRange(2, 30, 45);
    EXPECT_EQ(model.currentFrame, 30);
    model.advanceAnimationRange(2, 30, 45);
    EXPECT_EQ(model.currentFrame, 32);
    model.frameCount = 31;
    model.advanceAnimationRange(2, 30, 45);
    EXPECT_EQ(model.currentFrame, 30);
}

TEST(Skeleton, BoundVerticesFollowTheirBone) {
    TempDir dir;
    dir.write(
        "m.txt",
        "Frames: 20\nMeshes: 1\n" +
            meshBlock("Arm", -1, {{1, 2, 3, 0, 0, 1}, {-4, 0.5f, 2, 0, 0, 0}, {7, 7, 7, 0, 0, -1}}, 1,
                      {{0, 1, 2, 0, 0, 0}}) +
            "Bones: 2\n" +
            boneBlock("Root", "", "1 -2 0.5 0.4 -0.3 1.2", {{1, 0, 0, 0}, {11, 0, 10, 0}}, {{1, 0, 0, 0}}) +
            boneBlock("Hand", "Root", "3 1 -1 -0.8 0.6 0.2", {{1, 0, 0, 0}}, {{1, 0, 0, 0}, {11, 0, 3.14159265f, 0}}));
    Model model(false);
    ASSERT_TRUE(model.loadModel("m.txt"));
    const Mesh& mesh = model.meshes[0];
    // Frame 1 is the rest pose: every vertex lies where the file put it.
    const float file[3][3] = {{1, 2, 3}, {-4, 0.5f, 2}, {7, 7, 7}};
    for (int i = 0; i < 3; ++i) {
        const Vector3 p = model.skinnedPosition(mesh.vertices[i]);
        EXPECT_NEAR(p.x, file[i][0], 1e-4f);
        EXPECT_NEAR(p.y, file[i][1], 1e-4f);
        EXPECT_NEAR(p.z, file[i][2], 1e-4f);
    }

    // At frame 11 the root has moved by 10 along its own (rest-rotated) y axis.
    model.advanceAnimation(10);
    Matrix4 rest;
    rest.setRotationRadians({0.4f, -0.3f, 1.2f});
    const Vector3 root = model.skinnedPosition(mesh.vertices[1]);
    EXPECT_NEAR(root.x, -4 + 10 * rest.m[4], 1e-4f);
    EXPECT_NEAR(root.y, 0.5f + 10 * rest.m[5], 1e-4f);
    EXPECT_NEAR(root.z, 2 + 10 * rest.m[6], 1e-4f);
    const Vector3 unbound = model.skinnedPosition(mesh.vertices[2]);
    EXPECT_FLOAT_EQ(unbound.x, 7);
    const Vector3 hand = model.skinnedPosition(mesh.vertices[0]);
    const float distance = std::hypot(hand.x - 1, hand.y - 2, hand.z - 3);
    EXPECT_GT(distance, 0.5f);
}
