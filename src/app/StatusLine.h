#pragma once

// The frame-rate figure of the status line: the rate of a single frame,
// measured on the first frame and then on every 30th.
class FrameRate {
public:
    // Called once per frame with the clock reading; returns the figure to show.
    float update(float now);

    int frameCounter = 0;
    float measuredFps = 0;
    float lastFrameTime = 0;
};

// "Collision: ON; Optimization: ON; MIP-Mapping: ON; fps: 59.87", written
// into `text` and returned.
using StatusLineText = char[128];
const char* statusLineText(StatusLineText& text, bool collision, bool optimization, bool mipmap, float fps);

// Draws the status line at the bottom left of the window, over everything
// the scene holds, on a dark band. A frame not `counted` shows the last
// figure without taking part in the frame rate.
void drawStatusLine(bool counted = true);
