#pragma once
#include <chrono>

// How long the parts of one frame took, in milliseconds (for --timedemo).
struct FrameParts {
    double step = 0;  // the game step, with --watch's look for changed files
    double drawing = 0;
    double collision = 0;
    double swap = 0;
};

// One whole frame, in the one order every kind of play uses: --watch's
// reload, the game step by `dt` seconds (and the level banner's time), the
// drawing, the collision pass, the overlays (the status line, the level
// banner, the pause notice, the list of keys), the optimisation switch, the
// buffer swap. While the game is paused there is no step and no collision pass.
void runFrame(float dt, FrameParts* parts = nullptr);

// The scene and the overlays as they stand, into the back buffer, without
// a game step or a collision pass: for a window uncovered again, and for a
// screenshot.
void drawFrame();

// Draws and shows the start picture a few times before the first frame of
// play, with nothing moved on. A new window's first frames cost the driver
// several times a later one (its first drawings into it, its first
// presentations), and the frames after them still run slow for a few more;
// these take that cost, so the first frames of play do not. At least two,
// and up to eight while they take less than 120 ms, so that a large window
// does not wait long for it.
void presentStartPicture();

// GLUT callbacks of ordinary play: a frame per idle step, by the clock, and a
// redraw when the window needs one between them.
void onIdle();
void onDisplay();
void onReshape(int width, int height);

// The time from `start` to `end` in milliseconds, as frame figures are given.
double millisecondsBetween(std::chrono::steady_clock::time_point start, std::chrono::steady_clock::time_point end);
