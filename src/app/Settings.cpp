#include "app/Settings.h"

#include <GL/freeglut.h>

#include <climits>
#include <ios>
#include <memory>

#include "app/InvalidDisplayException.h"
#include "platform/Paths.h"
#include "platform/Screen.h"
#include "platform/TextLines.h"

namespace {

constexpr const char* settingsPath = "./zarnoth.ini";

// atoi's rules (leading white space, optional sign, digits up to the first
// other character, 0 without digits), except that a number too large for an
// int stops at INT_MAX or INT_MIN instead of overflowing.
int parseInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) return value > INT_MAX ? INT_MIN : -static_cast<int>(value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

// The characters from column `begin` up to `end`, empty where the line is shorter.
std::string_view columns(std::string_view line, std::size_t begin, std::size_t end = std::string_view::npos) {
    if (begin >= line.size() || end <= begin) return {};
    return line.substr(begin, end - begin);
}

}  // namespace

Settings::Settings() : Settings(640, 480, 16, 60, false) {}

Settings::Settings(int width, int height, int colorDepth, int refreshRate, bool gameMode)
    : width(width), height(height), colorDepth(colorDepth), refreshRate(refreshRate), gameMode(gameMode) {}

Settings Settings::fallback() { return Settings(640, 480, 32, 60, false); }

void Settings::load() {
    std::unique_ptr<std::FILE, FileCloser> file(openGameFile(settingsPath, "r"));
    if (!file) throw std::ios_base::failure("zarnoth.ini cannot be opened");
    read(file.get());
    file.reset();
    validate();
}

void Settings::read(std::FILE* file, SettingsLines* lines) {
    // Whole lines of any length; a carriage return stays, as every value stops before it anyway.
    TextLines text(*file, {});
    std::string line;
    try {
        while (text.next(line)) {
            const unsigned keys = applyLine(line);
            if (!lines) continue;
            const int number = text.lineNumber();
            if (keys & KEY_RESOLUTION) lines->resolution = number;
            if (keys & KEY_COLOR_DEPTH) lines->colorDepth = number;
            if (keys & KEY_REFRESH_RATE) lines->refreshRate = number;
            if (keys & KEY_GAME_MODE) lines->gameMode = number;
        }
    } catch (const TextLines::ReadError&) {
        throw std::ios_base::failure("zarnoth.ini cannot be read");
    }
}

unsigned Settings::applyLine(std::string_view line) {
    // A key counts wherever it stands in the line, but its value is always
    // taken at a fixed column, as if the key opened the line.
    constexpr auto npos = std::string_view::npos;
    unsigned keys = 0;
    if (line.find("Resolution=") != npos) {
        keys |= KEY_RESOLUTION;
        const std::size_t x = line.find('x');
        if (x == npos) {
            width = parseInt(columns(line, 11));
            height = parseInt(line);
        } else {
            width = parseInt(columns(line, 11, x));
            height = parseInt(columns(line, x + 1));
        }
    }
    if (line.find("ColorDepth=") != npos) {
        keys |= KEY_COLOR_DEPTH;
        colorDepth = parseInt(columns(line, 11));
    }
    if (line.find("RefreshRate=") != npos) {
        keys |= KEY_REFRESH_RATE;
        refreshRate = parseInt(columns(line, 12));
    }
    if (line.find("GameMode=") != npos) {
        keys |= KEY_GAME_MODE;
        const char digit = line.size() > 9 ? line[9] : '\0';
        gameMode = digit >= '1' && digit <= '9';
    }
    return keys;
}

void Settings::validate() const {
    // A surface without pixels can never be opened; refusing it here gives the
    // user the settings message instead of a failure deep inside GLUT.
    const bool usable = width >= 1 && height >= 1 && (gameMode ? gameModePossible() : fitsScreen());
    if (!usable) throw InvalidDisplayException("Geladene Einstellungen ungültig.");
}

std::string Settings::gameModeString() const {
    return std::to_string(width) + "x" + std::to_string(height) + ":" + std::to_string(colorDepth) + "@" +
           std::to_string(refreshRate);
}

bool Settings::gameModePossible() const {
    ensureGlutInitialised();
    glutGameModeString(gameModeString().c_str());
    return glutGameModeGet(GLUT_GAME_MODE_POSSIBLE) != 0;
}

bool Settings::fitsScreen() const {
    ensureGlutInitialised();
    return !(width > glutGet(GLUT_SCREEN_WIDTH) && height > glutGet(GLUT_SCREEN_HEIGHT));
}
