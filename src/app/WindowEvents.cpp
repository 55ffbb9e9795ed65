#include "app/WindowEvents.h"

#include <GL/freeglut.h>

#include "game/FrameClock.h"
#include "platform/FocusWatch.h"

namespace {
// Often enough that a player who leaves the window stops at once, rarely
// enough to cost nothing; and kept out of the frame.
constexpr unsigned focusCheckMilliseconds = 50;
bool idleStopped = false;
void (*shownIdle)() = nullptr;
void (*focusLossAction)() = nullptr;
}  // namespace

void onWindowStatus(int state) {
    if (state == GLUT_HIDDEN) {
        // With no idle function freeglut sleeps until the next event.
        glutIdleFunc(nullptr);
        idleStopped = true;
    } else if (idleStopped) {
        idleStopped = false;
        // The hidden time is no frame's step.
        restartFrameClock();
        glutIdleFunc(shownIdle);
        glutPostRedisplay();
    }
}

void onFocusCheck(int) {
    // A key let go in another window sends no release here.
    if (gameWindowLostFocus() && focusLossAction) focusLossAction();
    glutTimerFunc(focusCheckMilliseconds, onFocusCheck, 0);
}

void watchWindowEvents(void (*idle)(), void (*focusLoss)()) {
    shownIdle = idle;
    focusLossAction = focusLoss;
    glutIdleFunc(shownIdle);
    glutWindowStatusFunc(onWindowStatus);
    if (watchGameWindowFocus()) glutTimerFunc(focusCheckMilliseconds, onFocusCheck, 0);
}
