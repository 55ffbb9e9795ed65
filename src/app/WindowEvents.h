#pragma once

// What happens to the game's window besides drawing and keys: hidden or shown
// again, and the keyboard focus leaving it. `idle` runs while the window is
// shown; `focusLoss` (may be null) runs when the focus has left it.
void watchWindowEvents(void (*idle)(), void (*focusLoss)());

// GLUT window-status callback: a hidden window stops the idle steps, a shown
// one starts them again with a fresh frame clock.
void onWindowStatus(int state);
// GLUT timer callback: runs the focus-loss action once the focus has left.
void onFocusCheck(int);
