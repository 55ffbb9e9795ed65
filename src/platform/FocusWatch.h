#pragma once

// freeglut reports no focus changes and keeps its X events to itself, so a
// connection of our own watches the game window for losing the keyboard
// focus. False when there is no game window or the display cannot be opened.
bool watchGameWindowFocus();

// True when the game window has lost the keyboard focus since the last call
// (also when it has it back by now). Reads only what has already arrived.
bool gameWindowLostFocus();
