#pragma once
#include <cstdint>
#include <vector>

// Makes a GL context current for tests: one GLUT window, created on first use
// on the test X server ($DISPLAY). Every call after the first only makes it
// current again and sets the viewport to the given size.
void ensureGlContext(int width = 128, int height = 128);

// RGBA pixels of the back buffer, rows bottom to top.
std::vector<std::uint8_t> readBackBuffer(int x, int y, int width, int height);
