#pragma once
// A GL window on $DISPLAY for benchmarks that draw, made once; false without a display.
#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cstdlib>

inline bool ensureBenchWindow() {
    static bool made = false;
    if (made) return true;
    // freeglut ends the process when it cannot open a display.
    if (!std::getenv("DISPLAY")) return false;
    int argc = 1;
    char name[] = "bench";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(640, 480);
    glutCreateWindow("bench");
    glutDisplayFunc([] {});
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    made = true;
    return true;
}
