#pragma once
#include <cstdint>
#include <vector>

// Makes a GL context current for tests: one GLUT window, created on first use
// on the test X server ($DISPLAY). Every call after the first only makes it
// current again and sets the viewport to the given size.
void ensureGlContext(int width = 128, int height = 128);

// RGBA pixels of the back buffer, rows bottom to top.
std::vector<std::uint8_t> readBackBuffer(int x, int y, int width, int height);

// Keeps every library loaded so far from being unloaded at exit, so that
// LeakSanitizer can still name (and the suppressions match) the GL driver's
// allocations. Tests that initialise GLUT without ensureGlContext call it.
void pinLoadedLibraries();
