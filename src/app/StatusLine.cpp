#include "app/StatusLine.h"

#include <cstdio>

#include "app/BitmapFont.h"
#include "app/OverlayText.h"
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

void drawStatusLine(bool counted) {
    const float fps = counted ? frameRate.update(timer.elapsed()) : frameRate.measuredFps;
    if (!font) return;
    OverlayScope overlay;
    StatusLineText text;
    drawBandedText(*font, 5, 5, statusLineText(text, collisionEnabled, optimizationEnabled, mipmapEnabled, fps));
}
