#include "app/Settings.h"

#include <GL/freeglut.h>

#include <climits>
#include <ios>
#include <memory>

#include "app/InvalidDisplayException.h"
#include "app/ShownValue.h"
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

// Whether atoi would find digits in `text`: a value of 0 without them was no number at all.
bool readsAsNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

// "the width "abc" is not a number", "the height -5 is below 1".
std::string sizeProblem(const char* what, std::string_view written, int value) {
    if (!readsAsNumber(written)) return std::string("the ") + what + " \"" + shownValue(written) + "\" is not a number";
    return std::string("the ") + what + " " + std::to_string(value) + " is below 1";
}

}  // namespace

Settings::Settings() : Settings(640, 480, 16, 60, false) {}

Settings::Settings(int width, int height, int colorDepth, int refreshRate, bool gameMode)
    : width(width), height(height), colorDepth(colorDepth), refreshRate(refreshRate), gameMode(gameMode) {}

Settings Settings::fallback() { return Settings(640, 480, 32, 60, false); }

void Settings::load() {
    std::unique_ptr<std::FILE, FileCloser> file(openGameFile(settingsPath, "r"));
    if (!file) throw std::ios_base::failure("zarnoth.ini cannot be opened");
    SettingsLines lines;
    read(file.get(), &lines);
    file.reset();
    validate(&lines);
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
            if (keys & KEY_RESOLUTION) {
                lines->resolution = number;
                lines->resolutionValue = columns(line, 11);
            }
            if (keys & KEY_COLOR_DEPTH) lines->colorDepth = number;
            if (keys & KEY_REFRESH_RATE) lines->refreshRate = number;
            if (keys & KEY_GAME_MODE) {
                lines->gameMode = number;
                lines->gameModeValue = columns(line, 9);
            }
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
    playerKeys.applyLine(line);
    applySoundSettingLine(line, sound);
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
    frame.applyLine(line);
    return keys;
}

void Settings::validate(const SettingsLines* lines) const {
    const SettingsRefusal refused = refusal(lines);
    if (refused.text.empty()) return;
    const std::string line = refused.line > 0 ? ":" + std::to_string(refused.line) : "";
    throw InvalidDisplayException("Geladene Einstellungen ungültig.", "zarnoth.ini" + line + ": " + refused.text);
}

SettingsRefusal Settings::sizeRefusal(const SettingsLines* lines) const {
    // A surface without pixels can never be opened; refusing it here gives the
    // user the settings message instead of a failure deep inside GLUT.
    if (width >= 1 && height >= 1) return {};
    if (!lines || lines->resolution == 0) {
        const std::string value = std::to_string(width) + "x" + std::to_string(height);
        return {0, "Resolution=" + value + " refused: the width and height must be at least 1"};
    }
    const std::string_view written = lines->resolutionValue;
    const std::string setting = "Resolution=" + shownValue(written);
    const std::size_t x = written.find('x');
    // The game splits at the first "x" of the whole line, which stands in the value
    // when the key begins its line (zarnoth-check warns when it does not).
    if (width < 1)
        return {lines->resolution, setting + " refused: " + sizeProblem("width", written.substr(0, x), width)};
    if (x == std::string_view::npos) return {lines->resolution, setting + " refused: no height (WIDTHxHEIGHT)"};
    return {lines->resolution, setting + " refused: " + sizeProblem("height", written.substr(x + 1), height)};
}

SettingsRefusal Settings::refusal(const SettingsLines* lines) const {
    SettingsRefusal refused = sizeRefusal(lines);
    if (!refused.text.empty()) return refused;
    if (gameMode) {
        if (gameModePossible()) return {};
        const int line = lines ? lines->gameMode : 0;
        const std::string setting = "GameMode=" + (line > 0 ? shownValue(lines->gameModeValue) : std::string("1"));
        return {line, setting + " refused: the display has no full-screen mode " + gameModeString()};
    }
    if (fitsScreen()) return {};
    const int line = lines ? lines->resolution : 0;
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    const std::string screen =
        std::to_string(glutGet(GLUT_SCREEN_WIDTH)) + "x" + std::to_string(glutGet(GLUT_SCREEN_HEIGHT));
    return {line, "Resolution=" + (line > 0 ? shownValue(lines->resolutionValue) : size + " (the default)") +
                      " refused: a window wider and taller than the screen (" + screen + ")"};
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
