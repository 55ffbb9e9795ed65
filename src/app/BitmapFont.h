#pragma once
#include <GL/gl.h>

#include <memory>

// A font of GLUT bitmap glyphs: one display list per character 32 to 127,
// each drawing the character and moving the raster position. The status
// line's is GLUT's Helvetica 18.
class BitmapFont {
public:
    static constexpr int firstCharacter = 32;
    static constexpr int characterCount = 96;

    // Helvetica 18.
    BitmapFont();
    // One of GLUT's bitmap fonts, GLUT_BITMAP_HELVETICA_12 say.
    explicit BitmapFont(void* glyphs);
    ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    // Formats printf-style into at most 255 characters and draws them at the
    // current raster position. Does nothing for a null format. A byte outside
    // 32 to 127 is drawn as '?'.
    void print(const char* format, ...) const __attribute__((format(printf, 2, 3)));
    // The width in pixels that print("%s", text) draws.
    int width(const char* text) const;
    // The height of a line of text in pixels.
    int lineHeight() const;

    void* glyphs;
    GLuint listBase = 0;  // list of character 32; the other 95 follow it
};

// The status line's font; lives from the GL set-up to the end of the program.
extern std::unique_ptr<BitmapFont> font;
// A smaller font for the list of keys where Helvetica 18 does not fit the window.
extern std::unique_ptr<BitmapFont> smallFont;
