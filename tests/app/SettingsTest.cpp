#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <ios>
#include <memory>
#include <string>

#include "TempDir.h"
#include "app/InvalidDisplayException.h"
#include "app/Settings.h"
#include "platform/Paths.h"

namespace {

// The settings a file with this content yields, without validation.
Settings readFrom(std::string content) {
    Settings settings;
    std::unique_ptr<std::FILE, FileCloser> file(fmemopen(content.data(), content.size(), "r"));
    if (content.empty()) file.reset(std::fopen("/dev/null", "r"));
    settings.read(file.get());
    return settings;
}

void expectValues(const Settings& s, int width, int height, int depth, int rate, bool gameMode) {
    EXPECT_EQ(s.width, width);
    EXPECT_EQ(s.height, height);
    EXPECT_EQ(s.colorDepth, depth);
    EXPECT_EQ(s.refreshRate, rate);
    EXPECT_EQ(s.gameMode, gameMode);
}

std::string loadFailure(const std::string& content, std::string* detail = nullptr) {
    TempDir dir;
    dir.write("zarnoth.ini", content);
    Settings settings;
    try {
        settings.load();
    } catch (const InvalidDisplayException& error) {
        if (detail) *detail = error.detail;
        return error.what();
    }
    return "";
}

std::string refusalDetail(const std::string& content) {
    std::string detail;
    loadFailure(content, &detail);
    return detail;
}

}  // namespace

TEST(SettingsFile, MissingKeysKeepTheSixteenBitDefaultsUnlikeTheFallback) {
    expectValues(readFrom(""), 640, 480, 16, 60, false);
    expectValues(readFrom("Resolution=800x600\n"), 800, 600, 16, 60, false);
    expectValues(Settings::fallback(), 640, 480, 32, 60, false);
    expectValues(readFrom("Resolution=1024x768\nColorDepth=32\nRefreshRate=75\nGameMode=1\n"), 1024, 768, 32, 75, true);
}

TEST(SettingsFile, GameModeReadsOnlyColumnNine) {
    EXPECT_TRUE(readFrom("GameMode=10\n").gameMode);
    EXPECT_TRUE(readFrom("GameMode=9\n").gameMode);
    EXPECT_FALSE(readFrom("GameMode=0\n").gameMode);
    EXPECT_FALSE(readFrom("GameMode=\n").gameMode);
    EXPECT_FALSE(readFrom("GameMode=").gameMode);
    EXPECT_FALSE(readFrom("GameMode=yes\n").gameMode);
    EXPECT_FALSE(readFrom("GameMode=-1\n").gameMode);
}

TEST(SettingsFile, KeysMatchAnywhereButValuesComeFromFixedColumns) {
    // A comment that mentions a key is applied as that key, read at its column.
    EXPECT_TRUE(readFrom("#123456789 GameMode=0 would be the window\n").gameMode);
    const Settings comment = readFrom("# Resolution=1024x768\n");
    EXPECT_EQ(comment.width, 0);
    EXPECT_EQ(comment.height, 768);
    // Without an "x" the height is the whole line, which starts with a letter.
    const Settings noX = readFrom("Resolution=800\n");
    EXPECT_EQ(noX.width, 800);
    EXPECT_EQ(noX.height, 0);
    // The first "x" splits, wherever it is.
    const Settings early = readFrom("Resolution=x600\n");
    EXPECT_EQ(early.width, 0);
    EXPECT_EQ(early.height, 600);
}

TEST(SettingsFile, LastLineWinsAndLineEndsDoNotMatter) {
    expectValues(readFrom("ColorDepth=16\nColorDepth=24\nGameMode=1\nGameMode=0"), 640, 480, 24, 60, false);
    expectValues(readFrom("Resolution=800x600\r\nColorDepth=32\r\nRefreshRate=85\r\nGameMode=1\r\n"), 800, 600, 32, 85,
                 true);
    expectValues(readFrom("\n\nRefreshRate=72"), 640, 480, 16, 72, false);
}

TEST(SettingsFile, NumbersFollowAtoiAndSaturateInsteadOfOverflowing) {
    EXPECT_EQ(readFrom("ColorDepth= +24bits\n").colorDepth, 24);
    EXPECT_EQ(readFrom("ColorDepth=-8\n").colorDepth, -8);
    EXPECT_EQ(readFrom("RefreshRate=abc\n").refreshRate, 0);
    EXPECT_EQ(readFrom("ColorDepth=99999999999999999999999\n").colorDepth, INT_MAX);
    EXPECT_EQ(readFrom("RefreshRate=-99999999999999999999999\n").refreshRate, INT_MIN);
    EXPECT_EQ(readFrom("RefreshRate=-2147483648\n").refreshRate, INT_MIN);
    const Settings huge = readFrom("Resolution=4294967296x2147483648\n");
    EXPECT_EQ(huge.width, INT_MAX);
    EXPECT_EQ(huge.height, INT_MAX);
}

TEST(SettingsFile, FrameKeysOpenTheirLinesAndBadValuesKeepTheDefaults) {
    const Settings without = readFrom("Resolution=800x600\nColorDepth=32\n");
    EXPECT_EQ(without.frame.maxFps, 0);
    EXPECT_FALSE(without.frame.vsync);
    EXPECT_TRUE(without.frame.problems.empty());

    const Settings read = readFrom("MaxFps=60\r\nVSync=1\n# MaxFps=5\nResolution=800x600\n");
    EXPECT_EQ(read.frame.maxFps, 60);
    EXPECT_TRUE(read.frame.vsync);
    EXPECT_TRUE(read.frame.problems.empty());
    expectValues(read, 800, 600, 16, 60, false);

    // The last line wins, a bad one too: it leaves the default and is named with its line.
    const Settings bad = readFrom("MaxFps=60\nVSync=1\nMaxFps=-5\nVSync=yes\nMaxFps=1001\n");
    EXPECT_EQ(bad.frame.maxFps, 0);
    EXPECT_FALSE(bad.frame.vsync);
    ASSERT_EQ(bad.frame.problems.size(), 3u);
    EXPECT_EQ(bad.frame.problems[0].line, 3);
    EXPECT_EQ(bad.frame.problems[0].text, "MaxFps=-5 ignored: not a whole number from 0 to 1000 (no cap)");
    EXPECT_EQ(bad.frame.problems[1].line, 4);
    EXPECT_EQ(bad.frame.problems[1].text, "VSync=yes ignored: not 0 or 1 (no waiting)");
    EXPECT_EQ(bad.frame.problems[2].line, 5);
}

TEST(SettingsFile, ReadErrorsAndUnopenableFilesFailAsStreamErrors) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder");
    // fopen opens a directory on Linux; reading it is the read error.
    std::unique_ptr<std::FILE, FileCloser> folder(std::fopen("folder", "r"));
    ASSERT_NE(folder, nullptr);
    Settings settings;
    EXPECT_THROW(settings.read(folder.get()), std::ios_base::failure);

    EXPECT_THROW(settings.load(), std::ios_base::failure);
    std::filesystem::create_directory(dir.path() / "zarnoth.ini");
    EXPECT_THROW(settings.load(), std::ios_base::failure);
}

TEST(SettingsFile, GameModeStringHasRoomForEveryInt) {
    EXPECT_EQ(Settings::fallback().gameModeString(), "640x480:32@60");
    EXPECT_EQ(Settings(1280, 1024, 32, 85, true).gameModeString(), "1280x1024:32@85");
    EXPECT_EQ(Settings(INT_MIN, INT_MIN, INT_MIN, INT_MIN, true).gameModeString(),
              "-2147483648x-2147483648:-2147483648@-2147483648");
}

// The test X server's screen is 1280x1024, where no game mode is possible.
TEST(SettingsValidation, RefusesOnlyWhatCannotBeShown) {
    const std::string invalid = "Geladene Einstellungen ungültig.";
    EXPECT_EQ(loadFailure(""), "");
    EXPECT_EQ(loadFailure("Resolution=1280x1024\n"), "");
    EXPECT_EQ(loadFailure("Resolution=2000x100\n"), "");
    EXPECT_EQ(loadFailure("Resolution=100x2000\n"), "");
    EXPECT_EQ(loadFailure("Resolution=1281x1025\n"), invalid);
    EXPECT_EQ(loadFailure("GameMode=1\n"), invalid);
    EXPECT_EQ(loadFailure("Resolution=800\n"), invalid);
    EXPECT_EQ(loadFailure("Resolution=0x600\n"), invalid);
    EXPECT_EQ(loadFailure("Resolution=-800x-600\n"), invalid);
}

// The box only says that the settings were refused; the detail, written on
// stderr beside it, names the line, the setting as written and the reason.
TEST(SettingsValidation, TheRefusalNamesTheLineTheSettingAndWhy) {
    EXPECT_EQ(refusalDetail("ColorDepth=32\nResolution=abcx600\r\n"),
              "zarnoth.ini:2: Resolution=abcx600 refused: the width \"abc\" is not a number");
    EXPECT_EQ(refusalDetail("Resolution=0x600\n"), "zarnoth.ini:1: Resolution=0x600 refused: the width 0 is below 1");
    EXPECT_EQ(refusalDetail("Resolution=800x-6\n"),
              "zarnoth.ini:1: Resolution=800x-6 refused: the height -6 is below 1");
    EXPECT_EQ(refusalDetail("Resolution=800x\n"),
              "zarnoth.ini:1: Resolution=800x refused: the height \"\" is not a number");
    EXPECT_EQ(refusalDetail("Resolution=800\n"), "zarnoth.ini:1: Resolution=800 refused: no height (WIDTHxHEIGHT)");
    EXPECT_EQ(refusalDetail("Resolution=\x01x\x02\n"),
              "zarnoth.ini:1: Resolution=?x? refused: the width \"?\" is not a number");
    EXPECT_EQ(refusalDetail("Resolution=2000x1500\n"),
              "zarnoth.ini:1: Resolution=2000x1500 refused: a window wider and taller than the screen (1280x1024)");
    EXPECT_EQ(refusalDetail("Resolution=800x600\nGameMode=1\n"),
              "zarnoth.ini:2: GameMode=1 refused: the display has no full-screen mode 800x600:16@60");
    EXPECT_EQ(refusalDetail("Resolution=800x600\n"), "");
}

TEST(SettingsValidation, ScreenQueriesAnswerBeforeAnyWindow) {
    EXPECT_TRUE(Settings(1280, 1024, 16, 60, false).fitsScreen());
    EXPECT_TRUE(Settings(1281, 1024, 16, 60, false).fitsScreen());
    EXPECT_FALSE(Settings(1281, 1025, 16, 60, false).fitsScreen());
    EXPECT_FALSE(Settings(640, 480, 32, 60, true).gameModePossible());
}
