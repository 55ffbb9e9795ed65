#pragma once

// The GLUT keyboard callbacks of the game. While the game is paused only Esc,
// "p" (pause and resume) and "h" (the list of keys) act, and key releases.
void onKeyDown(unsigned char key, int x, int y);
void onKeyUp(unsigned char key, int x, int y);
void onSpecialDown(int key, int x, int y);
void onSpecialUp(int key, int x, int y);

// Lets go of every held movement key, as if each had been released. For the
// moments the game cannot see a release: after a blocking message box, which
// takes the releases made while it is open, and when the window loses the
// keyboard focus. Goes through the release callbacks, so that whatever watches
// them sees the releases.
void releaseHeldKeys();
// The same through other release callbacks (a recording's, say).
void releaseHeldKeys(void (*specialUp)(int, int, int), void (*keyUp)(unsigned char, int, int));
