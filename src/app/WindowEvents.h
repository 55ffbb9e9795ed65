#pragma once

// What happens to the game's window besides drawing and keys: hidden or shown
// again, and the keyboard focus leaving it.
void watchWindowEvents();

// GLUT window-status callback: a hidden window stops the idle steps, a shown
// one starts them again with a fresh frame clock.
void onWindowStatus(int state);
// GLUT timer callback: lets go of the held keys once the focus has left.
void onFocusCheck(int);
