#include "app/GameStart.h"

#include <GL/freeglut.h>

#include "app/BitmapFont.h"
#include "app/Display.h"
#include "app/Frame.h"
#include "app/FrameCap.h"
#include "app/KeyboardCallbacks.h"
#include "app/PlaySession.h"
#include "app/Recording.h"
#include "app/Settings.h"
#include "app/WindowEvents.h"
#include "game/FrameClock.h"
#include "game/SceneFrame.h"

void (*enterMainLoop)() = glutMainLoop;

namespace {
void initLighting() {
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
}

void registerCallbacks(const Settings& settings) {
    // A held key must give one down and one up event, not a stream of them.
    glutIgnoreKeyRepeat(1);
    // Each kind of run (play, recording, a play of a file) has its own.
    const RunCallbacks callbacks = runCallbacks();
    glutDisplayFunc(callbacks.display);
    glutReshapeFunc(onReshape);
    reportKeyRefusals(settings.playerKeys);
    registerKeyboardCallbacks(callbacks, settings.playerKeys);
    watchWindowEvents(cappedIdle(callbacks.idle), callbacks.focusLoss);
}
}  // namespace

void startGame(const Settings& settings) {
    openDisplay(settings);
    startFrameCap(settings.frame, session.mode == Options::Mode::Timedemo);
    initGL();
    // The window's size as its first reshape will give it: the start-up
    // drawings below come before GLUT calls onReshape.
    onReshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    startScene();
    presentStartPicture();
    // Start-up's drawings are no time of play.
    restartFrameClock();
    registerCallbacks(settings);
    if (demoFile) writeDemoHeader();
    enterMainLoop();
}

void initGL() {
    glClearColor(0, 0, 0, 0);
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_NORMALIZE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    initLighting();
    font = std::make_unique<BitmapFont>();
    smallFont = std::make_unique<BitmapFont>(GLUT_BITMAP_HELVETICA_12);
    // Every mesh is drawn from client arrays; they stay on for the whole run.
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}
