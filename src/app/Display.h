#pragma once

class Settings;

// Opens the display the settings ask for: GLUT's display mode, then full
// screen (game mode) or a window named "Zarnoth". Throws
// InvalidDisplayException with the message to show when it cannot.
void openDisplay(const Settings& settings);

// Switches the window to full screen (a window covering the screen, with no
// mode change) and back. Full screen by the settings' game mode stays as it is.
void toggleFullScreen();
