#pragma once

// The step of each frame, measured on the game's clock.

// The next frame measures its time from now (after a load or a blocking box).
void restartFrameClock();
// Seconds since the previous frame; the first frame after a restart is ~0.
float nextFrameTime();
