#pragma once
#include <X11/Xlib.h>

// freeglut's X connection and the game's window (a window or the full-screen
// game mode), taken from the current GL context. Empty before the window
// exists, and in a process that shows a box without a game.
struct GameWindow {
    Display* display = nullptr;
    Window window = None;
};

GameWindow currentGameWindow();
