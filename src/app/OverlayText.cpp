#include "app/OverlayText.h"

#include <GL/freeglut.h>

WindowSize windowSize;

OverlayScope::OverlayScope()
    : width(windowSize.known ? windowSize.width : glutGet(GLUT_WINDOW_WIDTH)),
      height(windowSize.known ? windowSize.height : glutGet(GLUT_WINDOW_HEIGHT)) {
    static const GLfloat white[] = {1, 1, 1, 1};
    glDisable(GL_TEXTURE_2D);
    glMaterialfv(GL_FRONT, GL_AMBIENT, white);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_POLYGON_BIT | GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

OverlayScope::~OverlayScope() {
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

void drawBand(int x0, int y0, int x1, int y1) {
    glColor4f(0, 0, 0, 0.5f);
    glRecti(x0, y0, x1, y1);
}

void drawShadowedText(const BitmapFont& font, int x, int y, const char* text) {
    // Without lighting the glyphs take the colour current at glRasterPos.
    glColor4f(0, 0, 0, 1);
    glRasterPos2i(x + 1, y - 1);
    font.print("%s", text);
    glColor4f(1, 1, 1, 1);
    glRasterPos2i(x, y);
    font.print("%s", text);
}

int bandBelow(const BitmapFont& font) { return font.lineHeight() / 4 + 1; }
int bandAbove(const BitmapFont& font) { return font.lineHeight() * 3 / 4; }

void drawBandedText(const BitmapFont& font, int x, int y, const char* text) {
    drawBand(x - 3, y - bandBelow(font), x + font.width(text) + 3, y + bandAbove(font));
    drawShadowedText(font, x, y, text);
}
