// The Windows entry point: a GUI program without a console window. The command
// line is the same as on Linux, split by the C runtime into __argc/__argv; the
// event log, the figures and --help reach stdout when it is redirected.
#include <windows.h>

#include <cstdlib>

#include "app/Launch.h"
#include "app/LevelWatch.h"
#include "check/Checker.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // freeglut on Windows takes DISPLAY for the name of a GDI device; an X
    // display's name there (as under Wine) makes it fail to list screen modes.
    _putenv("DISPLAY=");
    // --watch names what is wrong with a level it reloads as zarnoth-check would.
    findLevelError = firstLevelError;
    return runWithCommandLine(__argc, __argv);
}
