#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"
#include "check/Checker.h"

namespace {
// The shipped data, in a directory of the test's own.
void copyShippedData(const TempDir& dir) {
    std::filesystem::copy(ZARNOTH_SOURCE_DIR "/data", dir.path(), std::filesystem::copy_options::recursive);
}

std::vector<std::string> findings() {
    Report report;
    Checker checker(report);
    checker.checkAll();
    std::vector<std::string> lines;
    for (const Finding& finding : report.findings) lines.push_back(report.format(finding));
    return lines;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    return all;
}
}  // namespace

TEST(CheckSounds, FindsWhatKeepsASoundSilentInTheUsualForm) {
    TempDir dir;
    copyShippedData(dir);
    // Level 2's objects: 2 spike plates, 2 rams, a switch, a blade, a switch, 161 abysses.
    dir.write("levels/sound2.txt",
              "ambient drip\n"
              "o 168 ram\n"  // 168 objects: positions 0 to 167
              "o 2 Ram\n"    // not a sound name
              "o 3 gong\n"   // no sounds/gong.wav
              "t 0 water\n"  // fine
              "gong\n");     // no setting at all
    std::filesystem::remove(dir.path() / "sounds/step.wav");
    dir.write("sounds/ram.wav", "RIFF, but nothing after it");
    dir.write("zarnoth.ini", "Resolution=640x480\nSound=on\nVolume=loud\n");

    const std::vector<std::string> lines = findings();
    const std::vector<std::string> expected = {
        "zarnoth.ini:2: warning: Sound=on: not 1 (on) or 0 (off); sound stays on",
        "zarnoth.ini:3: warning: Volume=loud: not a whole number from 0 to 100; the volume stays 80",
        "sounds/step.wav:1: error: is missing; the game plays without this sound",
        "levels/sound2.txt:2: error: no object at o 168: the abyss, switch and deadly object list has 168 objects "
        "(positions from 0); the game leaves the line out",
        "levels/sound2.txt:3: error: unknown sound name \"Ram\": a name is 1 to 32 lower-case letters, digits, '-' or "
        "'_' (the file sounds/NAME.wav), or none; the game leaves the line out",
        "levels/sound2.txt:6: error: expected \"ambient NAME\", \"o POSITION NAME\" or \"t POSITION NAME\"; the game "
        "leaves the line out",
        "levels/sound2.txt:4: error: unknown sound name \"gong\": there is no sounds/gong.wav; the game plays it "
        "silent",
    };
    ASSERT_GE(lines.size(), expected.size()) << joined(lines);
    for (const std::string& line : expected) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line << "\nin:\n" << joined(lines);
    }
    // The broken ram, named by level 2's first ram line that counts (and level 3's).
    const auto ram = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("sounds/ram.wav:1: error: ", 0) == 0;
    });
    ASSERT_NE(ram, lines.end()) << joined(lines);
    EXPECT_NE(ram->find("cannot be read as a sound ("), std::string::npos) << *ram;
    EXPECT_EQ(lines.size(), expected.size() + 1) << joined(lines);
}

TEST(CheckSounds, ADataDirectoryWithoutSoundsIsAskedNothingOfThem) {
    TempDir dir;
    copyShippedData(dir);
    std::filesystem::remove_all(dir.path() / "sounds");
    EXPECT_EQ(joined(findings()), "");
    // Its sound files' lines are still read as the game reads them.
    dir.write("levels/sound1.txt", "o 0 gong\no 0 Gong\n");
    EXPECT_EQ(joined(findings()),
              "levels/sound1.txt:2: error: unknown sound name \"Gong\": a name is 1 to 32 lower-case letters, digits, "
              "'-' or '_' (the file sounds/NAME.wav), or none; the game leaves the line out\n");
}
