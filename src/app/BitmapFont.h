#pragma once
#include <GL/gl.h>

#include <memory>

// The status-line font: one display list per character 32 to 127, each
// drawing the character in GLUT's Helvetica 18 and moving the raster position.
class BitmapFont {
public:
    static constexpr int firstCharacter = 32;
    static constexpr int characterCount = 96;

    BitmapFont();
    ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    // Formats printf-style into at most 255 characters and draws them at the
    // current raster position. Does nothing for a null format.
    void print(const char* format, ...) const __attribute__((format(printf, 2, 3)));

    GLuint listBase = 0;  // list of character 32; the other 95 follow it
};

// Lives from the GL set-up to the end of the program.
extern std::unique_ptr<BitmapFont> font;
