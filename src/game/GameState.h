#pragma once

// Held keys, set and cleared by the keyboard callbacks.
extern bool keyForward, keyBackward, keyTurnLeft, keyTurnRight;
extern bool keyPageUp, keyPageDown, keyStrafeLeft, keyStrafeRight;
extern bool jumpRequested;

// The movement block set by the collision pass.
extern bool blocked;
extern short blockAxis;  // 0 = x, 2 = z
extern short blockSign;  // +1 or -1

// The player's life cycle.
extern bool dead;
extern bool falling;
extern float fallTime;

// Called by every level load before anything is read: ends blocks, jumps,
// falls and deaths, and puts the player back in its standing pose. The held
// keys stay.
void resetGameStateForLoad();
// The next frame measures its time from now (after a load or a blocking box).
void restartFrameClock();
// Seconds since the previous frame; the first frame after a restart is ~0.
float nextFrameTime();
// Lets go of every held movement key, as if each had been released. For the
// moments the game cannot see a release: after a blocking message box, which
// takes the releases made while it is open, and when the window loses the
// keyboard focus. Goes through the release callbacks, so that whatever watches
// them sees the releases. Defined with the key callbacks (Input.cpp).
void releaseHeldKeys();
// The same through other release callbacks (a recording's, say).
void releaseHeldKeys(void (*specialUp)(int, int, int), void (*keyUp)(unsigned char, int, int));
