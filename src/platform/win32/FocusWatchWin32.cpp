#include <windows.h>

#include "platform/FocusWatch.h"

namespace {
HWND gameWindow = nullptr;
bool hadFocus = false;

bool gameWindowHasFocus() { return GetForegroundWindow() == gameWindow; }
}  // namespace

bool watchGameWindowFocus() {
    // The window of the current GL context is freeglut's game window.
    const HDC context = wglGetCurrentDC();
    gameWindow = context ? WindowFromDC(context) : nullptr;
    if (!gameWindow) return false;
    hadFocus = gameWindowHasFocus();
    return true;
}

bool gameWindowLostFocus() {
    if (!gameWindow) return false;
    const bool hasFocus = gameWindowHasFocus();
    const bool lost = hadFocus && !hasFocus;
    hadFocus = hasFocus;
    return lost;
}
