#include "app/StatusLine.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/BitmapFont.h"
#include "game/Collision.h"
#include "game/SceneFrame.h"
#include "level/LevelLoader.h"
#include "platform/Timer.h"

namespace {
FrameRate frameRate;
}

float FrameRate::update(float now) {
    if (frameCounter % 30 == 0) {
        // Two frames on the same clock tick have no rate of their own; the
        // last figure stays rather than showing infinity.
        const float frameTime = now - lastFrameTime;
        if (frameTime > 0) measuredFps = 1 / frameTime;
    }
    // Only the position in the 30-frame cycle matters; counting on would overflow.
    frameCounter = (frameCounter + 1) % 30;
    lastFrameTime = now;
    return measuredFps;
}

const char* statusLineText(StatusLineText& text, bool collision, bool optimization, bool mipmap, float fps) {
    // Built every frame, so into the caller's buffer rather than the heap.
    std::snprintf(text, sizeof text, "Collision: %s; Optimization: %s; MIP-Mapping: %s; fps: %5.2f",
                  collision ? "ON" : "OFF", optimization ? "ON" : "OFF", mipmap ? "ON" : "OFF",
                  static_cast<double>(fps));
    return text;
}

void drawStatusLine() {
    static const GLfloat white[] = {1, 1, 1, 1};
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, glutGet(GLUT_WINDOW_WIDTH), 0, glutGet(GLUT_WINDOW_HEIGHT), -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glDisable(GL_TEXTURE_2D);
    glMaterialfv(GL_FRONT, GL_AMBIENT, white);
    glRasterPos3f(5, 5, 0);
    const float fps = frameRate.update(timer.elapsed());
    StatusLineText text;
    if (font) font->print("%s", statusLineText(text, collisionEnabled, optimizationEnabled, mipmapEnabled, fps));

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
