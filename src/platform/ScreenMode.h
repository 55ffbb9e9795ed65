#pragma once

// Switches the screen to width x height through XRandR, at the offered refresh
// rate nearest to `refresh`, and puts the previous mode back when the process
// ends. freeglut as Debian builds it changes modes only through VidMode, which
// a current X server accepts and reports as done while the screen stays as it
// was. False where the server has no XRandR or no such size; true, changing
// nothing, where the screen already has that size.
bool switchScreenMode(int width, int height, int refresh);
