#include <gtest/gtest.h>

#include <string>

#include "app/Settings.h"
#include "app/SoundSettings.h"

TEST(SoundSettings, OnAtEightyByDefaultAndWithoutTheKeys) {
    Settings settings;
    EXPECT_TRUE(settings.sound.on);
    EXPECT_EQ(settings.sound.volume, 80);
    for (const char* line : {"Resolution=800x600", "GameMode=1", "ColorDepth=32", ""}) settings.applyLine(line);
    EXPECT_TRUE(settings.sound.on);
    EXPECT_EQ(settings.sound.volume, 80);
    EXPECT_TRUE(settings.sound.problems.empty());
    EXPECT_TRUE(Settings::fallback().sound.on);
}

TEST(SoundSettings, KeysOpenTheirLineAndTheLastLineWins) {
    Settings settings;
    EXPECT_EQ(settings.applyLine("Sound=0"), 0u);  // none of the display keys
    EXPECT_FALSE(settings.sound.on);
    settings.applyLine("Volume=35\r");
    EXPECT_EQ(settings.sound.volume, 35);
    settings.applyLine("Volume= 100 ");
    EXPECT_EQ(settings.sound.volume, 100);
    settings.applyLine("Sound=1");
    EXPECT_TRUE(settings.sound.on);
    // Elsewhere in a line they are no keys, unlike the display keys.
    settings.applyLine("# Sound=0 Volume=5");
    settings.applyLine(" Volume=5");
    EXPECT_TRUE(settings.sound.on);
    EXPECT_EQ(settings.sound.volume, 100);
    EXPECT_TRUE(settings.sound.problems.empty());
    // A sound key's line is still read for the display keys, as every line
    // was before: by substring, the value at the key's fixed column.
    EXPECT_EQ(settings.applyLine("Sound=0 ColorDepth=32"), Settings::KEY_COLOR_DEPTH);
    EXPECT_EQ(settings.colorDepth, 0);
    ASSERT_EQ(settings.sound.problems.size(), 1u);  // "0 ColorDepth=32" is no value of Sound
    EXPECT_TRUE(settings.sound.on);
}

TEST(SoundSettings, ABadValueKeepsTheDefaultAndIsNamed) {
    Settings settings;
    settings.applyLine("Volume=30");
    settings.applyLine("Sound=0");
    for (const char* line : {"Sound=yes", "Sound=", "Volume=loud", "Volume=101", "Volume=-5", "Volume=50%", "Volume="})
        settings.applyLine(line);
    EXPECT_TRUE(settings.sound.on);
    EXPECT_EQ(settings.sound.volume, 80);
    ASSERT_EQ(settings.sound.problems.size(), 7u);
    EXPECT_EQ(settings.sound.problems[0], "Sound=yes: not 1 (on) or 0 (off); sound stays on");
    EXPECT_EQ(settings.sound.problems[2], "Volume=loud: not a whole number from 0 to 100; the volume stays 80");
    EXPECT_EQ(settings.sound.problems[3].rfind("Volume=101: ", 0), 0u);
}
