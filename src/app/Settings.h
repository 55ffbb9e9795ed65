#pragma once
#include <cstdio>
#include <string>
#include <string_view>

#include "app/FrameSettings.h"
#include "app/KeySettings.h"
#include "app/SoundSettings.h"

// The lines of zarnoth.ini that last set each key (0: never set), and the
// values of the two keys that can be refused as those lines wrote them (from
// the key's value column to the end of the line): for naming what is wrong.
struct SettingsLines {
    int resolution = 0;
    int colorDepth = 0;
    int refreshRate = 0;
    int gameMode = 0;
    std::string resolutionValue;
    std::string gameModeValue;
};

// Why settings are refused: the line of zarnoth.ini that set the refused key
// (0: the key's default) and one line of text naming the setting, the value
// and the reason, e.g. `Resolution=0x480 refused: the width 0 is below 1`.
// An empty text: nothing is refused.
struct SettingsRefusal {
    int line = 0;
    std::string text;
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
    // requested game mode is impossible or the window exceeds the screen both ways;
    // its detail is the refusal as "zarnoth.ini:LINE: TEXT". `lines`, when given,
    // names the values as the file wrote them.
    void validate(const SettingsLines* lines = nullptr) const;
    // What validate refuses, and why.
    SettingsRefusal refusal(const SettingsLines* lines = nullptr) const;
    // The part of the refusal that needs no display: a width or height below 1.
    SettingsRefusal sizeRefusal(const SettingsLines* lines = nullptr) const;

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

    KeySettings playerKeys;  // the keys the player added to actions
    FrameSettings frame;     // MaxFps and VSync
    SoundSettings sound;     // Sound and Volume
};
