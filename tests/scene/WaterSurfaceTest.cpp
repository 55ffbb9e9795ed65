#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "GlTestContext.h"
#include "scene/WaterAbyssObject.h"

namespace {
constexpr int surfaceWindowSize = 128;

// A texture whose every texel differs, so any change of texture coordinates shows.
GLuint makeGradientTexture() {
    std::vector<std::uint8_t> texels(64 * 64 * 4);
    for (int r = 0; r < 64; ++r)
        for (int c = 0; c < 64; ++c) {
            std::uint8_t* t = &texels[(r * 64 + c) * 4];
            t[0] = static_cast<std::uint8_t>(c * 4);
            t[1] = static_cast<std::uint8_t>(r * 4);
            t[2] = static_cast<std::uint8_t>((c ^ r) * 4);
            t[3] = 200;
        }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 64, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return name;
}

// Looks at the surface obliquely from above, so the wave heights show.
std::vector<std::uint8_t> renderWater(WaterAbyssObject& water, bool arrayPath) {
    ensureGlContext(surfaceWindowSize, surfaceWindowSize);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glColor4f(1, 1, 1, 0.7f);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-0.1, 1.1, -1.2, 0.4, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.2f, 0.3f, 0.4f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    float view[16];
    glPushMatrix();
    glRotatef(70, 1, 0, 0);
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    glPopMatrix();

    water.waterTexture.reset(makeGradientTexture());
    water.waveAmplitude = 0.2f;  // steep enough to change the picture
    water.useDisplayList = arrayPath;
    water.draw(view);
    glFinish();
    glDisable(GL_DEPTH_TEST);
    return readBackBuffer(0, 0, surfaceWindowSize, surfaceWindowSize);
}
}  // namespace

TEST(WaterSurface, FirstDrawGivesTheWaveHeights) {
    ensureGlContext();
    WaterAbyssObject water;
    water.useDisplayList = false;
    water.drawLocal();
    glFinish();
    EXPECT_FLOAT_EQ(water.wavePhase, 0.1f);
    EXPECT_NEAR(water.heights[32][32] - 0.1f, -0.0986810f, 1e-6f);
    EXPECT_NEAR(water.heights[32][12], -0.0115675f, 1e-6f);
    EXPECT_NEAR(water.heights[32][52], -0.0115675f, 1e-6f);
    EXPECT_NEAR(water.heights[12][32], -0.0115675f, 1e-6f);

    // The surface leaves blending off and depth writes on.
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLboolean depthMask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    EXPECT_TRUE(depthMask);
}

TEST(WaterSurface, StripsAndArrayGiveTheSameImage) {
    WaterAbyssObject stripWater, water;
    const auto strips = renderWater(stripWater, false);
    const auto array = renderWater(water, true);
    ASSERT_EQ(strips.size(), array.size());
    int differing = 0, covered = 0;
    for (size_t k = 0; k < strips.size(); k += 4) {
        if (std::abs(strips[k] - array[k]) > 1 || std::abs(strips[k + 1] - array[k + 1]) > 1 ||
            std::abs(strips[k + 2] - array[k + 2]) > 1)
            ++differing;
        if (strips[k + 2] != 102) ++covered;  // not the clear colour's blue
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(covered, surfaceWindowSize * surfaceWindowSize / 4);  // the surface really is in the picture

    // The array holds each cell's corners p1 to p4, row by row; the image above
    // shows that the indices make them the triangles (p1, p2, p3) and (p3, p2, p4).
    GLvoid* pointer = nullptr;
    glGetPointerv(GL_TEXTURE_COORD_ARRAY_POINTER, &pointer);
    ASSERT_NE(pointer, nullptr);
    const float* vertices = static_cast<const float*>(pointer);
    GLvoid* positions = nullptr;
    glGetPointerv(GL_VERTEX_ARRAY_POINTER, &positions);
    EXPECT_EQ(positions, static_cast<const void*>(vertices + 2));

    struct Corner {
        int gi, gj;
        float s, t;
    };
    for (int i : {0, 17, 63})
        for (int j : {0, 40, 63}) {
            const float s0 = j / 64.f, s1 = (j + 1) / 64.f, t0 = i / 64.f, t1 = (i + 1) / 64.f;
            const Corner p1{i + 1, j, s1, t0}, p2{i, j, s0, t0}, p3{i + 1, j + 1, s1, t1}, p4{i, j + 1, s0, t1};
            const Corner order[4] = {p1, p2, p3, p4};
            for (int k = 0; k < 4; ++k) {
                const float* v = vertices + ((i * 64 + j) * 4 + k) * 5;
                const Corner& c = order[k];
                EXPECT_FLOAT_EQ(v[0], c.s) << i << "," << j << " corner " << k;
                EXPECT_FLOAT_EQ(v[1], c.t) << i << "," << j << " corner " << k;
                EXPECT_FLOAT_EQ(v[2], c.gi / 64.f);
                EXPECT_FLOAT_EQ(v[3], water.heights[c.gi][c.gj] - 0.1f);
                EXPECT_FLOAT_EQ(v[4], c.gj / 64.f);
            }
        }
}

TEST(WaterSurface, OutOfViewOnlyTheWaveMovesOn) {
    WaterAbyssObject water;
    const auto seen = renderWater(water, true);
    const float heightSeen = water.heights[32][32];

    // The same view moved two widths to the side: the surface is out of view,
    // its phase moves on, and the next draw in view shows the wave two steps on.
    ensureGlContext(surfaceWindowSize, surfaceWindowSize);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glTranslatef(3, 0, 0);
    glRotatef(70, 1, 0, 0);
    float aside[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, aside);
    glPopMatrix();
    EXPECT_FALSE(water.surfaceOutOfView());
    water.draw(aside);
    EXPECT_TRUE(water.surfaceOutOfView());
    EXPECT_FLOAT_EQ(water.wavePhase, 0.2f);
    EXPECT_FLOAT_EQ(water.heights[32][32], heightSeen);  // not worked out for a surface nobody sees
    glFinish();
    const auto empty = readBackBuffer(0, 0, surfaceWindowSize, surfaceWindowSize);
    int covered = 0;
    for (size_t k = 0; k < empty.size(); k += 4)
        if (empty[k + 2] != 102) ++covered;
    EXPECT_EQ(covered, 0);

    const auto later = renderWater(water, true);
    EXPECT_FLOAT_EQ(water.wavePhase, 0.3f);
    EXPECT_NE(water.heights[32][32], heightSeen);
    EXPECT_NE(later, seen);
}
