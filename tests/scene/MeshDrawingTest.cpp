#include <GL/gl.h>
#include <gtest/gtest.h>

#include "GlTestContext.h"
#include "ModelText.h"
#include "TempDir.h"
#include "TgaWriter.h"
#include "scene/Model.h"

namespace {

constexpr int drawingSize = 64;

// Two lit triangles covering most of the view, the first bound to a posed bone.
std::string twoMeshModel(int secondMaterial) {
    return "Frames: 10\nFrame: 4\nMeshes: 2\n" +
           meshBlock("Left", 0, {{-0.9f, -0.9f, 0, 0, 0, 0}, {0.1f, -0.9f, 0, 1, 0, 0}, {-0.9f, 0.8f, 0, 0, 1, 0}}, 1,
                     {{0, 1, 2, 0, 0, 0}}) +
           meshBlock("Right", secondMaterial,
                     {{0.9f, 0.9f, 0, 0, 0, -1}, {-0.1f, 0.9f, 0, 1, 0, -1}, {0.9f, -0.8f, 0, 0, 1, -1}}, 1,
                     {{0, 1, 2, 0, 0, 0}}) +
           "Materials: 2\n" + materialBlock("Red", "1 0 0", "") + materialBlock("Green", "0 1 0", "") + "Bones: 1\n" +
           boneBlock("Root", "", "0 0 0 0 0 0", {{1, 0, 0, 0}, {10, 0.3f, 0.1f, 0}}, {{1, 0, 0, 0}});
}

void resetState() {
    ensureGlContext(drawingSize, drawingSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glClearColor(0, 0, 0.2f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

GLuint whiteTexture() {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const unsigned char white[4] = {255, 255, 255, 255};
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    return name;
}

}  // namespace

TEST(MeshDrawing, DisplayListDrawsExactlyLikeImmediateMode) {
    TempDir dir;
    dir.write("m.txt", twoMeshModel(1));
    Model model(false);
    ASSERT_TRUE(model.loadModel("m.txt"));

    resetState();
    model.drawMeshes();
    const auto immediate = readBackBuffer(0, 0, drawingSize, drawingSize);

    resetState();
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    model.drawMeshes();
    glEndList();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glCallList(list);
    const auto listed = readBackBuffer(0, 0, drawingSize, drawingSize);
    glDeleteLists(list, 1);

    EXPECT_EQ(immediate, listed);
    // Both meshes show in their own colour: red on the left, green on the right.
    const auto pixel = [&](int x, int y) { return &immediate[(y * drawingSize + x) * 4]; };
    EXPECT_GT(pixel(8, 32)[0], 50);
    EXPECT_LT(pixel(8, 32)[1], 20);
    EXPECT_GT(pixel(56, 32)[1], 50);
    EXPECT_LT(pixel(56, 32)[0], 20);
}

TEST(MeshDrawing, TextureAndMaterialStateFollowTheLastMesh) {
    TempDir dir;
    resetState();
    const GLuint texture = whiteTexture();

    // A mesh without material after a textured one: untextured, colours kept.
    dir.write("none.txt", twoMeshModel(-1));
    Model model(false);
    ASSERT_TRUE(model.loadModel("none.txt"));
    model.materials[0].textureId.reset(texture);
    model.drawMeshes();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    float diffuse[4] = {};
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[0], 1);
    EXPECT_FLOAT_EQ(diffuse[1], 0);

    // A textured last mesh leaves texturing on.
    model.meshMaterial = {1, 0};
    model.drawMeshes();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), texture);

    // A material index past the materials read draws as no material.
    dir.write("past.txt", twoMeshModel(2));
    Model past(false);
    ASSERT_TRUE(past.loadModel("past.txt"));
    glEnable(GL_TEXTURE_2D);
    past.drawMeshes();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[0], 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The triangles a draw sends down the pipeline, counted in feedback mode.
int trianglesDrawn(const Model& model) {
    GLfloat feedback[4096];
    glFeedbackBuffer(4096, GL_2D, feedback);
    glRenderMode(GL_FEEDBACK);
    model.drawMeshes();
    const GLint values = glRenderMode(GL_RENDER);
    int triangles = 0;
    for (GLint i = 0; i + 1 < values;) {
        if (feedback[i] != GL_POLYGON_TOKEN) return -1;  // only polygons are drawn
        const int corners = static_cast<int>(feedback[i + 1]);
        if (corners == 3) ++triangles;
        i += 2 + 2 * corners;
    }
    return triangles;
}

TEST(MeshDrawing, AModelWithoutMeshesDrawsNothing) {
    TempDir dir;
    dir.write("empty.txt", "Frames: 3\nMaterials: 1\n" + materialBlock("Red", "1 0 0", ""));
    Model model(false);
    ASSERT_TRUE(model.loadModel("empty.txt"));
    resetState();
    EXPECT_EQ(trianglesDrawn(model), 0);

    dir.write("m.txt", twoMeshModel(1));
    ASSERT_TRUE(model.loadModel("m.txt"));
    EXPECT_EQ(trianglesDrawn(model), 2);
}

TEST(MeshDrawing, MaterialTexturesLoadWithTheModelAndGoWithIt) {
    TempDir dir;
    resetState();
    dir.write("texturen/skin.tga", makeTga(2, 2, std::vector<std::uint8_t>(16, 255)));
    dir.write("m.txt", "Meshes: 1\n" + triangleMesh("Body", 1) + "Materials: 2\n" +
                           materialBlock("Plain", "1 1 1", "") +
                           materialBlock("Skin", "1 1 1", ".\\texturen\\skin.tga") + "Frames: 2\n");
    Model model(false);
    model.mipmapTextures = false;
    ASSERT_TRUE(model.loadModel("m.txt"));
    ASSERT_EQ(model.materials.size(), 2u);
    EXPECT_EQ(model.materials[0].textureId.get(), 0u);
    const GLuint texture = model.materials[1].textureId.get();
    ASSERT_NE(texture, 0u);
    EXPECT_FALSE(model.materials[1].mipmapTextures);
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);

    model.drawMeshes();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

    // Loading again starts clean; clearing deletes every texture of the model.
    ASSERT_TRUE(model.loadModel("m.txt"));
    const GLuint reloaded = model.materials[1].textureId.get();
    ASSERT_NE(reloaded, 0u);
    model.clear();
    EXPECT_TRUE(model.materials.empty());
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_FALSE(glIsTexture(reloaded));
    EXPECT_FALSE(model.mipmapTextures);
}
