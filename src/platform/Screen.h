#pragma once

// freeglut ends the process when it is asked anything before glutInit, and
// refuses a second glutInit the same way. Every GLUT query and the display
// set-up go through this: the first call initialises GLUT with the fixed
// one-entry argument list "game", every later call does nothing.
void ensureGlutInitialised();

// True once GLUT has been initialised, by us or by anyone else in the process.
bool glutInitialised();
