#include "app/Frame.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <chrono>

#include "app/GameNotices.h"
#include "app/HelpOverlay.h"
#include "app/LevelWatch.h"
#include "app/OverlayText.h"
#include "app/StatusLine.h"
#include "game/Collision.h"
#include "game/FrameClock.h"
#include "game/GameSounds.h"
#include "game/GameState.h"
#include "game/GameStep.h"
#include "game/LevelBanner.h"
#include "game/SceneFrame.h"

namespace {
using Clock = std::chrono::steady_clock;

// The start of every drawing: cleared buffers, the identity, the eye-fixed light.
void beginFrame() {
    static const GLfloat lightPosition[] = {0, 1, 1, 1};
    static const GLfloat lightAmbient[] = {1, 1, 1, 1};
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glColor4f(1, 1, 1, 1);
    // Set under the identity so that the light moves with the eye.
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
}

// Everything over the scene, last drawn on top; a frame not `counted` takes
// no part in the status line's frame rate.
void drawOverlays(bool counted = true) {
    drawStatusLine(counted);
    drawLevelBanner();
    drawPauseNotice();
    drawHelpOverlay();
}
}  // namespace

double millisecondsBetween(std::chrono::steady_clock::time_point start, std::chrono::steady_clock::time_point end) {
    return std::chrono::duration<double, std::milli>(end - start).count();
}

void runFrame(float dt, FrameParts* parts) {
    const auto start = Clock::now();
    pollLevelWatch();
    // Paused, the world stands still: no step, and no collision pass, which
    // would meet again what the last one met. The frames go on being drawn
    // and counted, and their time passes unused.
    if (!paused) {
        advanceGame(dt);
        ageLevelBanner(dt);
    }
    updateSounds();
    const auto stepped = Clock::now();
    beginFrame();
    drawScene();
    const auto drawn = Clock::now();
    if (collisionEnabled && !paused) checkCollisions();
    const auto collided = Clock::now();
    drawOverlays();
    pushOptimizationSwitch();
    const auto swapStart = Clock::now();
    glutSwapBuffers();
    if (!parts) return;
    const auto end = Clock::now();
    // The overlays and the switch push count as drawing.
    parts->step = millisecondsBetween(start, stepped);
    parts->drawing = millisecondsBetween(stepped, drawn) + millisecondsBetween(collided, swapStart);
    parts->collision = millisecondsBetween(drawn, collided);
    parts->swap = millisecondsBetween(swapStart, end);
}

void drawFrame() {
    beginFrame();
    drawScene();
    drawOverlays();
}

void presentStartPicture() {
    constexpr int fewest = 2, most = 8;
    constexpr double timeLimitMs = 120;
    const auto start = Clock::now();
    for (int shown = 0; shown < most; ++shown) {
        if (shown >= fewest && millisecondsBetween(start, Clock::now()) > timeLimitMs) break;
        beginFrame();
        drawScene(true);
        drawOverlays(false);
        glutSwapBuffers();
    }
    glFinish();
}

void onIdle() { runFrame(nextFrameTime()); }

void onDisplay() {
    drawFrame();
    glutSwapBuffers();
}

void onReshape(int width, int height) {
    windowSize = WindowSize{true, width, height};
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A minimised window reports a height of 0.
    const double aspect = static_cast<double>(width) / (height > 0 ? height : 1);
    gluPerspective(45, aspect, 0.1, 100);
    glMatrixMode(GL_MODELVIEW);
}
