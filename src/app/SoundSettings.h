#pragma once
#include <string>
#include <string_view>
#include <vector>

// The optional sound keys of zarnoth.ini. Each opens its line:
//   Sound=1      sound on (the default); Sound=0 starts the game silent ("t" turns it on)
//   Volume=80    loudness in percent, a whole number from 0 to 100 (the default 80)
// A bad value keeps the default and is named in `problems`; the game says so
// on stderr, zarnoth-check as a warning. The last line of a key wins.
struct SoundSettings {
    bool on = true;
    int volume = 80;
    // "Volume=loud: not a whole number from 0 to 100; the volume stays 80", one per bad line.
    std::vector<std::string> problems;
};

inline constexpr int defaultVolume = 80;

// Applies one line of zarnoth.ini when it begins with "Sound=" or "Volume=";
// returns whether it did.
bool applySoundSettingLine(std::string_view line, SoundSettings& sound);

// One line on stderr for each bad sound value.
void reportSoundSettings(const SoundSettings& sound);
