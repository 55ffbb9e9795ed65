#include "app/SoundSettings.h"

#include <cstdio>

namespace {
// The value as written, without the line's end: blanks and a carriage return.
std::string_view trimmedSoundValue(std::string_view value) {
    while (!value.empty() && (value.back() == '\r' || value.back() == ' ' || value.back() == '\t'))
        value.remove_suffix(1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
    return value;
}

std::string shownSoundValue(std::string_view value) {
    std::string result;
    for (char c : value.substr(0, 40)) result.push_back(c >= ' ' && c < 127 ? c : '?');
    if (value.size() > 40) result += "...";
    return result;
}
}  // namespace

bool applySoundSettingLine(std::string_view line, SoundSettings& sound) {
    if (line.rfind("Sound=", 0) == 0) {
        const std::string_view value = trimmedSoundValue(line.substr(6));
        if (value == "1" || value == "0") {
            sound.on = value == "1";
        } else {
            sound.on = true;
            sound.problems.push_back("Sound=" + shownSoundValue(value) + ": not 1 (on) or 0 (off); sound stays on");
        }
        return true;
    }
    if (line.rfind("Volume=", 0) == 0) {
        const std::string_view value = trimmedSoundValue(line.substr(7));
        int volume = 0;
        bool whole = !value.empty() && value.size() <= 3;
        for (char c : value) {
            if (c < '0' || c > '9') whole = false;
            volume = volume * 10 + (c - '0');
        }
        if (whole && volume <= 100) {
            sound.volume = volume;
        } else {
            sound.volume = defaultVolume;
            sound.problems.push_back("Volume=" + shownSoundValue(value) +
                                     ": not a whole number from 0 to 100; the volume stays " +
                                     std::to_string(defaultVolume));
        }
        return true;
    }
    return false;
}

void reportSoundSettings(const SoundSettings& sound) {
    for (const std::string& problem : sound.problems)
        std::fprintf(stderr, "zarnoth: zarnoth.ini: %s\n", problem.c_str());
}
