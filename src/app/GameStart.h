#pragma once

class Settings;

// Opens the display, sets up the fixed GL state and the font, creates the
// scene, registers the callbacks and enters the GLUT main loop, which does
// not return. Throws InvalidDisplayException when the display cannot be opened.
void startGame(const Settings& settings);

// The fixed GL state of the whole run, and the status line's font.
void initGL();

// How the game hands control to GLUT. Tests put in a function that returns,
// so that the start-up comes back once the game is set up.
extern void (*enterMainLoop)();
