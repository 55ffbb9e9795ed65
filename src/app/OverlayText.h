#pragma once
#include "app/BitmapFont.h"

// The window's size as the last reshape reported it. The overlays need it
// every frame, and asking GLUT costs two round trips to the X server each
// time; until the first reshape they still ask.
struct WindowSize {
    bool known = false;
    int width = 0;
    int height = 0;
};
extern WindowSize windowSize;

// What is drawn over the scene is drawn inside one of these: window pixels as
// coordinates (0, 0 at the bottom left), no depth test (nothing of the scene
// hides it), no lighting, texturing or culling, filled polygons even in
// wireframe, blending for the bands. The matrices and the switches it changes
// are put back when it ends; 2-D texturing stays off, as the status line has
// always left it.
class OverlayScope {
public:
    OverlayScope();
    ~OverlayScope();
    OverlayScope(const OverlayScope&) = delete;
    OverlayScope& operator=(const OverlayScope&) = delete;

    int width;  // the window's, in pixels
    int height;
};

// A dark translucent band from (x0, y0) to (x1, y1): white text over it reads on any background.
void drawBand(int x0, int y0, int x1, int y1);
// White text whose first character stands on the baseline at (x, y), over a
// dark shadow one pixel to the right and below. The white pixels are those the
// font draws there on its own.
void drawShadowedText(const BitmapFont& font, int x, int y, const char* text);
// The same over a band that just holds the text.
void drawBandedText(const BitmapFont& font, int x, int y, const char* text);
// How far a band reaches below and above the baseline of a line of `font`.
int bandBelow(const BitmapFont& font);
int bandAbove(const BitmapFont& font);
