#include <GL/freeglut.h>

#include "app/BitmapFont.h"
#include "app/FrameCallbacks.h"
#include "app/PlaySession.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "app/WindowEvents.h"
#include "game/Callbacks.h"
#include "game/SceneFrame.h"

void (*enterMainLoop)() = glutMainLoop;

void Settings::startGame() {
    initDisplay();
    initGL();
    startScene();
    registerCallbacks();
    installSessionCallbacks();
    enterMainLoop();
}

void Settings::initGL() {
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
    // Every mesh is drawn from client arrays; they stay on for the whole run.
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void Settings::initLighting() {
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
}

void Settings::registerCallbacks() {
    // A held key must give one down and one up event, not a stream of them.
    glutIgnoreKeyRepeat(1);
    glutDisplayFunc(onDisplay);
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onKeyDown);
    glutKeyboardUpFunc(onKeyUp);
    glutSpecialFunc(onSpecialDown);
    glutSpecialUpFunc(onSpecialUp);
    glutIdleFunc(onIdle);
    watchWindowEvents();
}
