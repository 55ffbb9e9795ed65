#pragma once

// What happens to the game's window besides drawing and keys: hidden or shown
// again, and the keyboard focus leaving it.
void watchWindowEvents();

// The idle function to run while the window is shown (onIdle, unless a play
// session has its own); registered with GLUT at once.
void setShownIdle(void (*idle)());
// What losing the focus does: releaseHeldKeys, unless a session must see the
// releases otherwise; nullptr for nothing (a play that follows its file only).
void setFocusLossAction(void (*action)());

// GLUT window-status callback: a hidden window stops the idle steps, a shown
// one starts them again with a fresh frame clock.
void onWindowStatus(int state);
// GLUT timer callback: lets go of the held keys once the focus has left.
void onFocusCheck(int);
