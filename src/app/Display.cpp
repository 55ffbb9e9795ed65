#include "app/Display.h"

#include <GL/freeglut.h>

#include "app/InvalidDisplayException.h"
#include "app/Settings.h"
#include "platform/Screen.h"
#include "platform/ScreenMode.h"
#include "platform/WindowTag.h"

namespace {
void enterGameMode(const Settings& settings) {
    glutGameModeString(settings.gameModeString().c_str());
    if (glutGameModeGet(GLUT_GAME_MODE_POSSIBLE) == 0)
        throw InvalidDisplayException("Fehler beim Initialisieren des GameMode.");
    glutEnterGameMode();
    // freeglut's own switch (VidMode) leaves a current X server's screen as it
    // was, and its window as large as that screen; where XRandR cannot do the
    // size either, freeglut's attempt is all.
    if (switchScreenMode(settings.width, settings.height, settings.refreshRate)) {
        glutPositionWindow(0, 0);
        glutReshapeWindow(settings.width, settings.height);
    }
    tagCurrentWindowWithProcessId();
}

void openWindow(const Settings& settings) {
    const int screenWidth = glutGet(GLUT_SCREEN_WIDTH);
    const int screenHeight = glutGet(GLUT_SCREEN_HEIGHT);
    if (settings.width > screenWidth || settings.height > screenHeight)
        throw InvalidDisplayException("Window größer als Auflösung.");
    glutInitWindowSize(settings.width, settings.height);
    glutCreateWindow("Zarnoth");
    tagCurrentWindowWithProcessId();
}
}  // namespace

void toggleFullScreen() {
    if (glutGameModeGet(GLUT_GAME_MODE_ACTIVE)) return;
    glutFullScreenToggle();
}

void openDisplay(const Settings& settings) {
    // The settings check may have initialised GLUT already; freeglut refuses a second time.
    ensureGlutInitialised();
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    if (glutGet(GLUT_DISPLAY_MODE_POSSIBLE) == 0)
        throw InvalidDisplayException("DisplayMode kann nicht gesetzt werden.");
    if (settings.gameMode)
        enterGameMode(settings);
    else
        openWindow(settings);
}
