#pragma once
#include <memory>

class Settings;

// The settings of the run; made by runZarnoth and kept to the end.
extern std::unique_ptr<Settings> settings;

// The whole start of the program: read the settings (or fall back to the
// built-in ones), open the display and run the game. Returns 0 after a display
// error; while the game runs it does not return.
int runZarnoth();
