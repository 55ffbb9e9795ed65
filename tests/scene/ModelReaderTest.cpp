#include <gtest/gtest.h>

#include <string>

#include "ModelText.h"
#include "TempDir.h"
#include "scene/Model.h"

namespace {

std::string fullModel() {
    return "// made by hand\nFrames: 30\nFrame: 5\n"
           "Meshes: 3\n" +
           triangleMesh("Body", 0, 0, 0) + triangleMesh("Head", -1, 1) + triangleMesh("BoundingBox", 0, 2) +
           "Materials: 1\n" + materialBlock("Skin", "1 0 0", "") + "Bones: 2\n" +
           boneBlock("Root", "", "0 0 0 0 0 0", {{1, 0, 0, 0}}, {{1, 0, 0, 0}}) +
           boneBlock("Arm", "rOOT", "1 2 3 0 0.5 0", {{1, 0, 0, 0}}, {{1, 0, 0, 0}});
}

}  // namespace

TEST(ModelReader, TopLevelLines) {
    TempDir dir;
    // The second piece of an over-long comment is a line of its own.
    dir.write("a.txt", "// only comments\n Frames: 12\nFrames:30\n//" + std::string(253, 'x') + "Frame: 7\n");
    Model model(false);
    ASSERT_TRUE(model.loadModel("a.txt"));
    EXPECT_EQ(model.frameCount, 30);
    EXPECT_EQ(model.currentFrame, 7);
    EXPECT_EQ(model.meshCount, 0);
    EXPECT_TRUE(model.materials.empty());
    EXPECT_TRUE(model.bones.empty());
    EXPECT_EQ(model.boundingModel, nullptr);

    // Without "Frame:" the animation starts on frame 1.
    dir.write("b.txt", "Frames: 30\n");
    ASSERT_TRUE(model.loadModel("b.txt"));
    EXPECT_EQ(model.currentFrame, 1);
    // A start frame past the end wraps to frame 1.
    dir.write("c.txt", "Frames: 10\nFrame: 11\n");
    ASSERT_TRUE(model.loadModel("c.txt"));
    EXPECT_EQ(model.currentFrame, 1);
}

TEST(ModelReader, ReadsMeshesMaterialsAndBones) {
    TempDir dir;
    dir.write("m.txt", fullModel());
    Model model(false);
    ASSERT_TRUE(model.loadModel("m.txt"));
    EXPECT_EQ(model.frameCount, 30);
    EXPECT_EQ(model.currentFrame, 5);
    ASSERT_EQ(model.meshCount, 2);
    EXPECT_NE(model.boundingModel, nullptr);
    EXPECT_EQ(model.meshMaterial[0], 0);
    EXPECT_EQ(model.meshMaterial[1], -1);

    const Mesh& head = model.meshes[1];
    ASSERT_EQ(head.vertices.size(), 3u);
    EXPECT_FLOAT_EQ(head.vertices[0].v, 0.75f);
    EXPECT_FLOAT_EQ(head.vertices[2].v, 0.0f);
    EXPECT_FLOAT_EQ(head.vertices[1].x, 1.0f);
    EXPECT_FLOAT_EQ(head.vertices[1].z, 1.0f);
    ASSERT_EQ(head.triangles.size(), 1u);
    EXPECT_EQ(head.triangles[0].vertexIndices[1], 1);
    EXPECT_EQ(head.normals.size(), 1u);
    EXPECT_FALSE(head.hasCollision);
    EXPECT_EQ(head.collisionModel, nullptr);

    ASSERT_EQ(model.materials.size(), 1u);
    const Material& skin = model.materials[0];
    EXPECT_EQ(skin.name, "Skin");
    EXPECT_FLOAT_EQ(skin.diffuse[0], 1.0f);
    EXPECT_FLOAT_EQ(skin.diffuse[3], 1.0f);
    EXPECT_FLOAT_EQ(skin.shininess, 10.0f);
    EXPECT_TRUE(skin.textureFile.empty());
    EXPECT_EQ(skin.textureId.get(), 0u);

    ASSERT_EQ(model.bones.size(), 2u);
    EXPECT_EQ(model.bones[0].parent, nullptr);
    EXPECT_EQ(model.bones[1].parent, &model.bones[0]);
    EXPECT_FLOAT_EQ(model.bones[1].restPosition.y, 2.0f);
    EXPECT_FLOAT_EQ(model.bones[1].restRotation.y, 0.5f);

    // Without a "BoundingBox" mesh there is no bounding model.
    dir.write("n.txt", "Meshes: 1\n" + triangleMesh("Body", -1));
    ASSERT_TRUE(model.loadModel("n.txt"));
    EXPECT_EQ(model.meshCount, 1);
    EXPECT_EQ(model.boundingModel, nullptr);
}

TEST(ModelReader, FailsOnlyForUnreadableFilesAndMissingParents) {
    TempDir dir;
    dir.write("models/x.txt", "Bones: 2\n" + boneBlock("Root", "", "0 0 0 0 0 0", {{1, 0, 0, 0}}, {{1, 0, 0, 0}}) +
                                  boneBlock("Arm", "Rooot", "0 0 0 0 0 0", {{1, 0, 0, 0}}, {{1, 0, 0, 0}}));
    Model model(false);
    EXPECT_FALSE(model.loadModel("models/x.txt"));
    EXPECT_FALSE(model.loadModel("models/missing.txt"));
    EXPECT_FALSE(model.loadModel("models"));
    // A read error (here EIO from the start of the process image) is no end of file.
    EXPECT_FALSE(model.loadModel("/proc/self/mem"));
    EXPECT_FALSE(model.loadModel("models\\missing.txt"));

    dir.write("models/ok.txt", "Frames: 3\n");
    EXPECT_TRUE(model.loadModel("models\\ok.txt"));
}

TEST(ModelReader, LoadingAgainStartsFromACleanModel) {
    TempDir dir;
    dir.write("m.txt", fullModel());
    dir.write("empty.txt", "Frames: 4\n");
    Model model(true);
    model.mipmapTextures = false;
    ASSERT_TRUE(model.loadModel("m.txt"));
    ASSERT_TRUE(model.loadModel("empty.txt"));
    EXPECT_EQ(model.meshCount, 0);
    EXPECT_TRUE(model.meshes.empty());
    EXPECT_TRUE(model.materials.empty());
    EXPECT_TRUE(model.bones.empty());
    EXPECT_EQ(model.boundingModel, nullptr);
    EXPECT_EQ(model.frameCount, 4);
    EXPECT_TRUE(model.buildCollision);
    EXPECT_FALSE(model.mipmapTextures);
    EXPECT_TRUE(Model(false).mipmapTextures);
}

TEST(ModelReader, AFailedBlockEndsTheReadingButKeepsWhatWasRead) {
    TempDir dir;
    // The second vertex line misses its bone; inside a block a comment is data too.
    dir.write("cut.txt", "Frames: 20\nFrame: 3\nBones: 1\n" +
                             boneBlock("Root", "", "0 0 0 0 0 0", {{1, 0, 0, 0}}, {{1, 0, 0, 0}}) + "Meshes: 3\n" +
                             triangleMesh("Body", 0) + "\"Leg\" 0 0\n3\n0 1 2 3 0 0 0\n0 4 5 6 0 0\n0 7 8 9 0 0 0\n" +
                             triangleMesh("Arm", 0) + "Materials: 1\n" + materialBlock("Skin", "1 0 0", ""));
    Model model(false);
    ASSERT_TRUE(model.loadModel("cut.txt"));
    ASSERT_EQ(model.meshCount, 2);
    ASSERT_EQ(model.meshes.size(), 2u);
    EXPECT_EQ(model.meshes[0].triangles.size(), 1u);
    EXPECT_EQ(model.meshes[1].vertices.size(), 1u);
    EXPECT_TRUE(model.meshes[1].triangles.empty());
    EXPECT_TRUE(model.materials.empty());
    // Skeleton preparation and posing still ran.
    EXPECT_EQ(model.currentFrame, 3);
    ASSERT_EQ(model.bones.size(), 1u);

    dir.write("comment.txt", "Meshes: 1\n\"Body\" 0 0\n1\n// a comment\n");
    ASSERT_TRUE(model.loadModel("comment.txt"));
    ASSERT_EQ(model.meshCount, 1);
    EXPECT_TRUE(model.meshes[0].vertices.empty());

    // A bone cut short keeps what was read and still takes part in the skeleton.
    dir.write("bone.txt", "Bones: 2\n\"Root\"\n\"\"\n0 1 2 3 0 0 0\n2\n1 0 0 0\n");
    ASSERT_TRUE(model.loadModel("bone.txt"));
    ASSERT_EQ(model.bones.size(), 1u);
    EXPECT_EQ(model.bones[0].positionKeys.size(), 1u);
    EXPECT_FLOAT_EQ(model.bones[0].absolute.m[13], 2.0f);
}

// zarnoth-check shows where a model stopped: both pieces of an over-long line
// keep its number, a NUL byte does not hide the end of its line, and a file
// that ends inside a block is reported at its last line, line feed or not.
TEST(ModelReader, StopsAreReportedAtTheirLine) {
    using namespace std::string_literals;
    TempDir dir;
    Model model(false);
    const auto stopOf = [&](const std::string& text) {
        dir.write("s.txt", text);
        ModelStop stop;
        EXPECT_TRUE(model.loadModel("s.txt", &stop));
        return stop;
    };
    const std::string vertex = "a vertex \"flags x y z u v bone\"";

    ModelStop stop = stopOf("Meshes: 1\n\"A\" 0 0\n2\n0 1 2 3 0 0 0" + std::string(300, ' ') + "0\n0 1 2 3 0 0 0\n");
    EXPECT_EQ(stop.line, 4);
    EXPECT_EQ(stop.expected, vertex);
    EXPECT_FALSE(stop.atEnd);

    for (const std::string& end : {"1\n"s, "1"s, "1\r\n"s}) {
        stop = stopOf("Frames: 3\0junk\nMeshes: 1\n\"A\" 0 0\n"s + end);
        EXPECT_EQ(stop.line, 4);
        EXPECT_EQ(stop.expected, vertex);
        EXPECT_TRUE(stop.atEnd);
    }
    EXPECT_EQ(model.frameCount, 3);
    EXPECT_EQ(model.meshCount, 1);
}

TEST(ModelReader, CountsFromTheFileAreNotTrusted) {
    TempDir dir;
    dir.write("huge.txt",
              "Meshes: 2000000000\n\"Body\" 0 -1\n2000000000\n0 1 2 3 0 0 -1\n0 4 5 6 0 0 -1\n"
              "0 7 8 9 0 0 -1\n");
    Model model(true);
    ASSERT_TRUE(model.loadModel("huge.txt"));
    ASSERT_EQ(model.meshCount, 1);
    EXPECT_EQ(model.meshes[0].vertices.size(), 3u);
    EXPECT_LT(model.meshes[0].vertices.capacity(), 100000u);

    dir.write("materials.txt", "Materials: 2000000000\n" + materialBlock("A", "1 1 1", ""));
    ASSERT_TRUE(model.loadModel("materials.txt"));
    EXPECT_EQ(model.materials.size(), 1u);
    dir.write("keys.txt", "Bones: 2000000000\n\"Root\"\n\"\"\n0 0 0 0 0 0 0\n2000000000\n1 2 3 4\n");
    ASSERT_TRUE(model.loadModel("keys.txt"));
    ASSERT_EQ(model.bones.size(), 1u);
    EXPECT_EQ(model.bones[0].positionKeys.size(), 1u);

    // A negative count is malformed, not a huge unsigned one.
    dir.write("negative.txt", "Meshes: 1\n\"Body\" 0 -1\n-5\nFrames: 9\n");
    ASSERT_TRUE(model.loadModel("negative.txt"));
    EXPECT_EQ(model.frameCount, 0);
}

TEST(ModelReader, LongNamesAndPathsStayWhole) {
    TempDir dir;
    const std::string longMesh(120, 'm');
    const std::string longMaterial(100, 'a');
    const std::string longTexture = "./texturen/" + std::string(90, 't') + ".tga";
    const std::string longBone(80, 'b');
    dir.write("long.txt", "Meshes: 1\n" + triangleMesh(longMesh, 0, 0, 1) + "Materials: 1\n" +
                              materialBlock(longMaterial, "1 1 1", longTexture) + "Bones: 2\n" +
                              boneBlock(longBone, "", "0 0 0 0 0 0", {{1, 0, 0, 0}}, {{1, 0, 0, 0}}) +
                              boneBlock("Child", longBone, "0 0 0 0 0 0", {{1, 0, 0, 0}}, {{1, 0, 0, 0}}));
    Model model(false);
    ASSERT_TRUE(model.loadModel("long.txt"));
    EXPECT_EQ(model.meshCount, 1);
    ASSERT_EQ(model.materials.size(), 1u);
    EXPECT_EQ(model.materials[0].name, longMaterial);
    EXPECT_EQ(model.materials[0].textureFile, longTexture);
    EXPECT_EQ(model.materials[0].textureId.get(), 0u);  // no such file
    ASSERT_EQ(model.bones.size(), 2u);
    EXPECT_EQ(model.bones[0].name, longBone);
    EXPECT_EQ(model.bones[1].parent, &model.bones[0]);
    EXPECT_EQ(model.meshes[0].vertices[0].boneIndex, 1);
}

TEST(ModelReader, IndicesOutsideTheirMeshAreRejected) {
    TempDir dir;
    Model model(true);
    const std::vector<TestVertex> corners = {{0, 0, 0, 0, 0, -1}, {1, 0, 0, 0, 0, -1}, {0, 1, 0, 0, 0, -1}};

    // A vertex index past the vertices ends the reading at that triangle.
    dir.write("v.txt", "Meshes: 2\n" + meshBlock("A", -1, corners, 1, {{0, 1, 2, 0, 0, 0}, {0, 1, 3, 0, 0, 0}}) +
                           triangleMesh("B", -1) + "Frames: 5\n");
    ASSERT_TRUE(model.loadModel("v.txt"));
    ASSERT_EQ(model.meshCount, 1);
    EXPECT_EQ(model.meshes[0].triangles.size(), 1u);
    EXPECT_EQ(model.frameCount, 0);

    dir.write("n.txt", "Meshes: 1\n" + meshBlock("A", -1, corners, 1, {{0, 1, 2, 0, 1, 0}}));
    ASSERT_TRUE(model.loadModel("n.txt"));
    EXPECT_TRUE(model.meshes[0].triangles.empty());
    dir.write("neg.txt", "Meshes: 1\n" + meshBlock("A", -1, corners, 1, {{0, -1, 2, 0, 0, 0}}));
    ASSERT_TRUE(model.loadModel("neg.txt"));
    EXPECT_TRUE(model.meshes[0].triangles.empty());

    // The bounding box reads no normals, so only its vertex indices count.
    dir.write("b.txt", "Meshes: 1\n" + meshBlock("BoundingBox", 0, corners, 1, {{0, 1, 2, 7, 8, 9}}) + "Frames: 5\n");
    ASSERT_TRUE(model.loadModel("b.txt"));
    EXPECT_EQ(model.frameCount, 5);
    dir.write("bv.txt", "Meshes: 1\n" + meshBlock("BoundingBox", 0, corners, 1, {{0, 1, 9, 0, 0, 0}}) + "Frames: 5\n");
    ASSERT_TRUE(model.loadModel("bv.txt"));
    EXPECT_EQ(model.frameCount, 0);

    // A bone index beyond the bones read leaves the vertex where the file put it.
    dir.write("bone.txt", "Meshes: 1\n" + triangleMesh("A", -1, 2, 3) + "Bones: 1\n" +
                              boneBlock("Root", "", "5 5 5 0 0 0", {{1, 1, 1, 1}}, {{1, 0, 0, 0}}));
    ASSERT_TRUE(model.loadModel("bone.txt"));
    const Vertex& vertex = model.meshes[0].vertices[1];
    EXPECT_EQ(vertex.boneIndex, -1);
    const Vector3 p = model.skinnedPosition(vertex);
    EXPECT_FLOAT_EQ(p.x, 1.0f);
    EXPECT_FLOAT_EQ(p.z, 2.0f);
}

TEST(ModelReader, BoundingBoxAnywhereLeavesNoGap) {
    TempDir dir;
    dir.write("m.txt", "Meshes: 3\n" + triangleMesh("A", 4) + triangleMesh("BoundingBox", 7) + triangleMesh("B", 5));
    Model model(false);
    ASSERT_TRUE(model.loadModel("m.txt"));
    ASSERT_EQ(model.meshCount, 2);
    EXPECT_NE(model.boundingModel, nullptr);
    EXPECT_EQ(model.meshMaterial[0], 4);
    EXPECT_EQ(model.meshMaterial[1], 5);
    EXPECT_EQ(model.meshes[1].triangles.size(), 1u);
}
