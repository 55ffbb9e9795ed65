#include "platform/ScreenMode.h"

#include <windows.h>

#include <cstdlib>

namespace {
// The mode stored for the display, which ChangeDisplaySettings(nullptr, 0) restores.
void restoreDisplayMode() { ChangeDisplaySettingsA(nullptr, 0); }
}  // namespace

// freeglut's game mode on Windows switches with ChangeDisplaySettings itself
// and its window covers the new screen. Windows puts the old mode back when
// the process ends, but Wine does not: the game puts it back itself at exit.
bool switchScreenMode(int, int, int) {
    static const bool registered = std::atexit(restoreDisplayMode) == 0;
    (void)registered;
    return false;
}
