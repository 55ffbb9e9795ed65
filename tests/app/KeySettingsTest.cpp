#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/KeySettings.h"
#include "app/Settings.h"
#include "platform/Paths.h"

namespace {
Settings keySettingsFrom(std::string content) {
    Settings settings;
    std::unique_ptr<std::FILE, FileCloser> file(fmemopen(content.data(), content.size(), "r"));
    settings.read(file.get());
    return settings;
}

GameKey reaching(const Settings& settings, const char* name) {
    GameKey pressed;
    EXPECT_TRUE(keyFromName(name, pressed)) << name;
    return settings.playerKeys.specifiedKey(pressed);
}

bool isKey(GameKey key, bool special, int code) { return key.special == special && key.code == code; }
}  // namespace

// The WASD example of the README, with strafing on q and e, among lines the
// game refuses; the display settings and the other keys still count.
TEST(KeySettings, AddedKeysReachTheGameAsTheActionsOwnAndRefusedOnesAreNamed) {
    const Settings settings = keySettingsFrom(
        "Resolution=800x600\n"
        "KeyForward=w\n"
        "KeyBack=s\r\n"
        "KeyTurnLeft=a\n"
        "KeyJump=c\n"
        "KeyTurnRight=d\n"
        "KeyStrafeLeft=q\n"
        "KeyStrafeRight=w\n"
        "KeyStrafeRight=e\n"
        "KeyJump=escape\n"
        "KeyJump=f11\n"
        "KeyJump=\n"
        "KeyJump=\x01\x02 and a name much too long\n"
        " KeyJump=j\n"
        "GameMode=0\n");
    EXPECT_EQ(settings.width, 800);
    EXPECT_TRUE(isKey(reaching(settings, "w"), true, GLUT_KEY_UP));
    EXPECT_TRUE(isKey(reaching(settings, "s"), true, GLUT_KEY_DOWN));
    EXPECT_TRUE(isKey(reaching(settings, "a"), true, GLUT_KEY_LEFT));
    EXPECT_TRUE(isKey(reaching(settings, "d"), true, GLUT_KEY_RIGHT));
    EXPECT_TRUE(isKey(reaching(settings, "q"), false, ','));
    EXPECT_TRUE(isKey(reaching(settings, "e"), false, '.'));
    // The game's own keys stay as they are; keys nobody added, too.
    EXPECT_TRUE(isKey(reaching(settings, "up"), true, GLUT_KEY_UP));
    EXPECT_TRUE(isKey(reaching(settings, ","), false, ','));
    EXPECT_TRUE(isKey(reaching(settings, "c"), false, 'c'));
    EXPECT_TRUE(isKey(reaching(settings, "j"), false, 'j'));
    EXPECT_TRUE(isKey(reaching(settings, "W"), false, 'W'));

    std::string refusals;
    for (const KeySettings::Refusal& refusal : settings.playerKeys.refusals)
        refusals += std::to_string(refusal.line) + ": " + refusal.text + "\n";
    EXPECT_EQ(refusals,
              "5: KeyJump=c refused: the game already uses c for the collision pass\n"
              "8: KeyStrafeRight=w refused: w is already the key of KeyForward\n"
              "10: KeyJump=escape refused: the game already uses escape for quitting\n"
              "11: KeyJump=f11 refused: \"f11\" is not a key name\n"
              "12: KeyJump= refused: no key is named\n"
              "13: KeyJump=???and?a?name?mu... refused: \"???and?a?name?mu...\" is not a key name\n");
}
