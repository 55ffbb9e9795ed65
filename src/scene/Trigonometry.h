#pragma once

// Sine and cosine of an angle in radians, from the game's own arithmetic:
// only additions, multiplications and one rounding to an integer, which give
// the same bits on every platform. The C libraries' sinf and cosf differ in
// the last bit for about one argument in a thousand (glibc's and mingw-w64's
// do), and a demo must play the same everywhere. Within a float's last bit of
// the true value for angles up to about a million radians.
float sine(float radians);
float cosine(float radians);
