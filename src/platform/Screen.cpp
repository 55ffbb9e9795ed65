#include "platform/Screen.h"

#include <GL/freeglut.h>

bool glutInitialised() {
    // GLUT_INIT_STATE is the one query freeglut answers before glutInit.
    return glutGet(GLUT_INIT_STATE) != 0;
}

void ensureGlutInitialised() {
    if (glutInitialised()) return;
    // The program's own command line is never passed on to GLUT.
    static char name[] = "game";
    static char* argv[] = {name, nullptr};
    int argc = 1;
    glutInit(&argc, argv);
}
