#pragma once

// How long the parts of one frame took, in milliseconds (for --timedemo).
struct FrameParts {
    double step = 0;  // the game step, with --watch's look for changed files
    double drawing = 0;
    double collision = 0;
    double swap = 0;
};

// One whole frame, in the one order every kind of play uses: --watch's
// reload, the game step by `dt` seconds, the drawing, the collision pass,
// the status line, the optimisation switch, the buffer swap.
void runFrame(float dt, FrameParts* parts = nullptr);

// The scene and the status line as they stand, into the back buffer, without
// a game step or a collision pass: for a window uncovered again, and for a
// screenshot.
void drawFrame();

// GLUT callbacks of ordinary play: a frame per idle step, by the clock, and a
// redraw when the window needs one between them.
void onIdle();
void onDisplay();
void onReshape(int width, int height);
