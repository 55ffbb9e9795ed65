// Placeholder until the game logic lands: keys do nothing, idle redraws.
#include "game/Callbacks.h"

#include <GL/freeglut.h>

void onKeyDown(unsigned char, int, int) {}
void onKeyUp(unsigned char, int, int) {}
void onSpecialDown(int, int, int) {}
void onSpecialUp(int, int, int) {}
void onIdle() { glutPostRedisplay(); }
