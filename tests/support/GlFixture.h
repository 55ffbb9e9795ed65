#pragma once
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "GlTestContext.h"

// Tests that draw or place objects start from the test context with an
// identity modelview matrix, as a frame of the game does.
class GlFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ensureGlContext();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
};
