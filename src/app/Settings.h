#pragma once
#include <cstdio>
#include <string>
#include <string_view>

// The lines of zarnoth.ini that last set each key (0: never set), for zarnoth-check.
struct SettingsLines {
    int resolution = 0;
    int colorDepth = 0;
    int refreshRate = 0;
    int gameMode = 0;
};

// The display settings from ./zarnoth.ini.
class Settings {
public:
    // The values of every key a readable settings file does not mention.
    Settings();
    Settings(int width, int height, int colorDepth, int refreshRate, bool gameMode);

    // The values used when the settings file cannot be read (32 bits, not 16).
    static Settings fallback();

    // Reads ./zarnoth.ini and validates the result. Throws std::ios_base::failure
    // when the file cannot be opened or read, InvalidDisplayException when the
    // values cannot be shown on this screen.
    void load();
    // The reading part of load: every line of the open file, up to its end.
    // Throws std::ios_base::failure on a read error. `lines`, when given,
    // learns where each key was set.
    void read(std::FILE* file, SettingsLines* lines = nullptr);
    // One line of the settings file, without its '\n'. Returns the keys it
    // set: KEY_RESOLUTION, KEY_COLOR_DEPTH, KEY_REFRESH_RATE, KEY_GAME_MODE or'ed.
    unsigned applyLine(std::string_view line);
    static constexpr unsigned KEY_RESOLUTION = 1, KEY_COLOR_DEPTH = 2, KEY_REFRESH_RATE = 4, KEY_GAME_MODE = 8;
    // Throws InvalidDisplayException("Geladene Einstellungen ungültig.") when the
    // requested game mode is impossible or the window exceeds the screen both ways.
    void validate() const;

    // The GLUT game-mode string, "WIDTHxHEIGHT:DEPTH@RATE".
    std::string gameModeString() const;
    bool gameModePossible() const;
    // False only when the window is wider AND taller than the screen.
    bool fitsScreen() const;

    int width;        // window width, or horizontal resolution in game mode
    int height;       // window height, or vertical resolution in game mode
    int colorDepth;   // bits per pixel; only the game-mode string uses it
    int refreshRate;  // Hz; only the game-mode string uses it
    bool gameMode;    // full-screen game mode instead of a window
};
