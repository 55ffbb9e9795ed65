#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "GlTestContext.h"
#include "app/BitmapFont.h"
#include "app/Frame.h"
#include "app/GameStart.h"
#include "app/Settings.h"
#include "app/StatusLine.h"
#include "game/Camera.h"
#include "game/GameState.h"
#include "game/LevelBanner.h"
#include "level/Scene.h"
#include "scene/WaterAbyssObject.h"

TEST(FrameRate, MeasuresTheFirstFrameThenEveryThirtiethSingleFrame) {
    FrameRate rate;
    EXPECT_FLOAT_EQ(rate.update(0.25f), 4);  // the first frame counts from program start
    float now = 0.25f;
    for (int frame = 2; frame <= 30; ++frame) {
        now += 0.01f;
        EXPECT_FLOAT_EQ(rate.update(now), 4) << frame;
    }
    EXPECT_NEAR(rate.update(now + 0.5f), 2, 1e-3);  // frame 31: that frame alone
}

TEST(FrameRate, EqualClockReadingsKeepTheLastFigure) {
    FrameRate rate;
    EXPECT_FLOAT_EQ(rate.update(0), 0);  // a clock that never moves
    for (int frame = 0; frame < 29; ++frame) rate.update(0);
    EXPECT_FLOAT_EQ(rate.update(0), 0);

    FrameRate moving;
    moving.update(0.5f);
    for (int frame = 0; frame < 29; ++frame) moving.update(1);
    const float shown = moving.update(1);
    EXPECT_TRUE(std::isfinite(shown));
    EXPECT_FLOAT_EQ(shown, 2);
}

TEST(StatusLine, TextShowsTheSwitchesAndTheRate) {
    StatusLineText text;
    EXPECT_STREQ(statusLineText(text, true, true, true, 59.871f),
                 "Collision: ON; Optimization: ON; MIP-Mapping: ON; fps: 59.87");
    EXPECT_STREQ(statusLineText(text, false, false, false, 0),
                 "Collision: OFF; Optimization: OFF; MIP-Mapping: OFF; fps:  0.00");
    EXPECT_STREQ(statusLineText(text, true, false, true, 2100.5f),
                 "Collision: ON; Optimization: OFF; MIP-Mapping: ON; fps: 2100.50");
}

namespace {
bool anyLit(const std::vector<std::uint8_t>& pixels) {
    for (std::size_t i = 0; i < pixels.size(); i += 4)
        if (pixels[i] > 64 || pixels[i + 1] > 64 || pixels[i + 2] > 64) return true;
    return false;
}
}  // namespace

TEST(StatusLine, IsDrawnWhiteAtTheBottomLeftUnderLighting) {
    ensureGlContext(256, 64);
    initGL();
    glViewport(0, 0, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawStatusLine();
    const auto band = readBackBuffer(0, 0, 200, 30);
    EXPECT_TRUE(anyLit(band));
    const auto above = readBackBuffer(0, 40, 200, 20);
    EXPECT_FALSE(anyLit(above));
}

TEST(BitmapFont, PrintsLongAndForeignTextSafelyAndIgnoresNull) {
    ensureGlContext(256, 64);
    if (!font) font = std::make_unique<BitmapFont>();
    glClear(GL_COLOR_BUFFER_BIT);
    glRasterPos2i(0, 0);
    font->print(nullptr);
    const std::string longText(1000, 'W');
    font->print("%s", longText.c_str());
    font->print("%s",
                "gr\xc3\xb6\xc3\x9f"
                "er\x01\x7f");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLint base = -1;
    glGetIntegerv(GL_LIST_BASE, &base);
    EXPECT_EQ(base, 0);  // the list state is restored
}

namespace {
// Normalised device coordinates of an eye-space point under the current projection.
std::array<float, 3> project(float x, float y, float z) {
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    const float w = m[3] * x + m[7] * y + m[11] * z + m[15];
    return {(m[0] * x + m[4] * y + m[8] * z + m[12]) / w, (m[1] * x + m[5] * y + m[9] * z + m[13]) / w,
            (m[2] * x + m[6] * y + m[10] * z + m[14]) / w};
}
}  // namespace

TEST(Reshape, ShowsFortyFiveDegreesUpwardFromPointOneToOneHundredAtTheWindowsAspect) {
    ensureGlContext(128, 128);
    onReshape(200, 100);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 200);
    EXPECT_EQ(viewport[3], 100);
    const float halfHeight = 0.1f * std::tan(22.5f * 3.14159265f / 180);  // at the near plane
    const auto top = project(0, halfHeight, -0.1f);
    EXPECT_NEAR(top[1], 1, 1e-4);
    EXPECT_NEAR(top[2], -1, 1e-4);
    EXPECT_NEAR(project(2 * halfHeight, 0, -0.1f)[0], 1, 1e-4);  // twice as wide as high
    EXPECT_NEAR(project(0, 0, -100)[2], 1, 1e-4);
    onReshape(128, 128);
}

// The light must stay one unit above and behind the eye, so it is set before
// the camera's view is applied, whatever the camera does.
TEST(Display, TheLightStaysFixedToTheEye) {
    ensureGlContext(256, 64);
    onReshape(256, 64);
    camera.reset();
    camera.turnYaw(70);
    camera.turnPitch(40);
    camera.moveForward(3);
    onDisplay();
    GLfloat position[4], ambient[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, position);
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    const GLfloat expectedPosition[] = {0, 1, 1, 1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(position[i], expectedPosition[i], 1e-6) << i;
        EXPECT_FLOAT_EQ(ambient[i], 1) << i;
    }
    camera.reset();
}

TEST(Reshape, ZeroHeightGivesAFiniteProjection) {
    ensureGlContext(128, 128);
    onReshape(128, 0);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (float value : projection) EXPECT_TRUE(std::isfinite(value));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    onReshape(128, 128);
}

// A paused frame is drawn, but nothing moves: not the player on a held key,
// not the water, not the banner's time. The frame after the pause goes on
// from where the world stood, with its own time only.
TEST(Frame, APausedFrameMovesNothing) {
    ensureGlContext(128, 128);
    onReshape(128, 128);
    camera.reset();
    auto water = std::make_unique<WaterAbyssObject>();
    const WaterAbyssObject& surface = *water;
    sortedObjects.push_back(std::move(water));
    levelBanner.secondsLeft = 3;
    keyForward = true;

    paused = true;
    runFrame(0.5f);
    runFrame(0.5f);
    EXPECT_FLOAT_EQ(camera.offset.z, 0);
    EXPECT_FLOAT_EQ(surface.wavePhase, 0);
    EXPECT_FLOAT_EQ(levelBanner.secondsLeft, 3);

    paused = false;
    runFrame(0.5f);
    EXPECT_FLOAT_EQ(camera.offset.z, 2);  // 4 units a second, for this frame alone
    EXPECT_FLOAT_EQ(surface.wavePhase, 0.1f);
    EXPECT_FLOAT_EQ(levelBanner.secondsLeft, 2.5f);

    keyForward = false;
    sortedObjects.clear();
    camera.reset();
}
