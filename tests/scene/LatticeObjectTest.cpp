#include "scene/LatticeObject.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "GlTestContext.h"
#include "surfaces/CollisionModelPtr.h"

namespace {
constexpr int windowSize = 128;

// Fills the viewport with the lattice's square over a white background, once
// through the display list and once through the immediate geometry.
std::vector<std::uint8_t> renderOverWhite(LatticeObject& lattice) {
    ensureGlContext(windowSize, windowSize);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glColor4f(1, 1, 1, 1);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    lattice.drawLocal();
    glFinish();
    return readBackBuffer(0, 0, windowSize, windowSize);
}

// Texel (c, r) covers pixels 2c..2c+1, 2r..2r+1.
int greyAt(const std::vector<std::uint8_t>& pixels, int c, int r) {
    const int x = 2 * c + 1, y = 2 * r + 1;
    return pixels[(y * windowSize + x) * 4];
}

bool isHole(int c, int r) { return (c % 4 == 2 || c % 4 == 3) && (r % 4 == 0 || r % 4 == 3); }
}  // namespace

TEST(LatticeObject, BackgroundShowsThroughTheHolesOnly) {
    ensureGlContext(windowSize, windowSize);
    LatticeObject lattice;
    ASSERT_NE(lattice.displayList.get(), 0u);
    for (bool viaList : {true, false}) {
        lattice.useDisplayList = viaList;
        const auto pixels = renderOverWhite(lattice);
        int wrong = 0;
        for (int r = 0; r < 64; ++r)
            for (int c = 0; c < 64; ++c) {
                const int grey = greyAt(pixels, c, r);
                if (isHole(c, r) ? grey != 255 : std::abs(grey - 130) > 2) ++wrong;
            }
        EXPECT_EQ(wrong, 0) << (viaList ? "display list" : "immediate");
    }
    // The geometry leaves blending off and depth writes on.
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLboolean depthMask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    EXPECT_TRUE(depthMask);
}

TEST(LatticeObject, RisesByItsStepAtEveryActivation) {
    ensureGlContext();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    LatticeObject lattice;
    lattice.upStep = 0.5f;
    lattice.drawLocal();
    EXPECT_FLOAT_EQ(lattice.modelViewMatrix.m[13], 0.5f);

    lattice.activate();
    lattice.drawLocal();
    EXPECT_FLOAT_EQ(lattice.modelViewMatrix.m[13], 1.0f);

    lattice.activate();
    lattice.drawLocal();
    EXPECT_FLOAT_EQ(lattice.modelViewMatrix.m[13], 1.5f);
    EXPECT_EQ(lattice.collide(nullptr), HIT_NONE);
}

TEST(LatticeObject, NoListIsRecordedWhileListsAreOff) {
    ensureGlContext();
    LatticeObject lattice;
    const GLuint first = lattice.displayList.get();
    ASSERT_TRUE(glIsList(first));
    lattice.compileDisplayList();  // a second recording replaces the first list
    EXPECT_FALSE(glIsList(first));
    EXPECT_TRUE(glIsList(lattice.displayList.get()));

    lattice.useDisplayList = false;
    const GLuint kept = lattice.displayList.get();
    lattice.compileDisplayList();
    EXPECT_EQ(lattice.displayList.get(), kept);
}

TEST(LatticeObject, BlocksWhereItWasLastDrawn) {
    ensureGlContext();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // A thin triangle through the plane z = 0 at the origin.
    CollisionModelPtr probe = makeCollisionModel();
    probe->setTriangleCount(1);
    probe->addTriangle(0, 0, -1, 0.1f, 0, 1, -0.1f, 0.1f, 1);
    probe->finalize();
    const Matrix4 identity;
    probe->setTransform(identity.data());

    LatticeObject lattice;
    lattice.upStep = 0.6f;  // drawn from y -0.4 to 1.6
    lattice.drawLocal();
    EXPECT_EQ(lattice.collide(probe.get()), HIT_LATTICE);

    lattice.activate();  // now from 0.2 to 2.2, once drawn
    EXPECT_EQ(lattice.collide(probe.get()), HIT_LATTICE);
    lattice.drawLocal();
    EXPECT_EQ(lattice.collide(probe.get()), HIT_NONE);
}
