#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempDir.h"
#include "level/LevelSounds.h"

TEST(LevelSounds, WithoutTheFileEverythingSoundsByKind) {
    TempDir dir;
    const LevelSounds read = readLevelSounds(2, 3, 1);
    EXPECT_EQ(read.status, LevelSounds::Status::Missing);
    EXPECT_TRUE(read.ambient.empty());
    EXPECT_TRUE(read.objects.empty());
    EXPECT_EQ(defaultObjectSound(BlockKind::DeathObject), "blade");
    EXPECT_EQ(defaultObjectSound(BlockKind::WaterAbyssObject), "water");
    EXPECT_EQ(defaultObjectSound(BlockKind::SwitchObject), "switch");
    EXPECT_EQ(defaultObjectSound(BlockKind::LatticeObject), "lattice");
    EXPECT_EQ(defaultObjectSound(BlockKind::AbyssObject), "");
    EXPECT_EQ(defaultAmbientSound, "wind");
}

TEST(LevelSounds, NamesObjectsByTheirPlacesAsTheActionFileDoes) {
    TempDir dir;
    dir.write("levels/sound2.txt",
              "# The keep\n\nambient drip\r\no 0 spikes   # a comment\n\tt 1\tlattice-2 \no 2 none\nambient none\n");
    const LevelSounds read = readLevelSounds(2, 3, 2);
    ASSERT_EQ(read.status, LevelSounds::Status::Read);
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.ambient, "none");  // the last ambient line wins
    EXPECT_EQ(read.ambientLine, 7);
    ASSERT_EQ(read.objects.size(), 3u);
    EXPECT_EQ(read.objects[0].list, 'o');
    EXPECT_EQ(read.objects[0].position, 0u);
    EXPECT_EQ(read.objects[0].name, "spikes");
    EXPECT_EQ(read.objects[0].line, 4);
    EXPECT_EQ(read.objects[1].list, 't');
    EXPECT_EQ(read.objects[1].position, 1u);
    EXPECT_EQ(read.objects[1].name, "lattice-2");
    EXPECT_EQ(read.objects[2].name, "none");
}

TEST(LevelSounds, BadLinesAreLeftOutAndTheRestCounts) {
    TempDir dir;
    dir.write("levels/sound1.txt",
              "o 3 blade\n"   // 3 objects: positions 0 to 2
              "t 1 water\n"   // 1 sorted object
              "o -1 blade\n"  // no position
              "o 1 Blade\n"   // upper case
              "o 1 ../x\n"    // a path
              "o 1 " +
                  std::string(33, 'a') +
                  "\n"           // too long
                  "o 1\n"        // no name
                  "ambient\n"    // no name
                  "gong 1 2\n"   // no such setting
                  "o 2 ram\n");  // fine
    const LevelSounds read = readLevelSounds(1, 3, 1);
    ASSERT_EQ(read.status, LevelSounds::Status::Read);
    ASSERT_EQ(read.objects.size(), 1u);
    EXPECT_EQ(read.objects[0].name, "ram");
    EXPECT_EQ(read.objects[0].line, 10);
    ASSERT_EQ(read.problems.size(), 9u);
    EXPECT_EQ(read.problems[0].line, 1);
    EXPECT_NE(read.problems[0].text.find("no object at o 3: the abyss, switch and deadly object list has 3 objects"),
              std::string::npos)
        << read.problems[0].text;
    EXPECT_NE(read.problems[1].text.find("no object at t 1: the water and lattice list has 1 object "),
              std::string::npos)
        << read.problems[1].text;
    EXPECT_NE(read.problems[2].text.find("expected \"o POSITION NAME\""), std::string::npos);
    for (int i : {3, 4, 5}) {
        EXPECT_NE(read.problems[static_cast<std::size_t>(i)].text.find("unknown sound name"), std::string::npos)
            << read.problems[static_cast<std::size_t>(i)].text;
    }
    EXPECT_NE(read.problems[7].text.find("expected \"ambient NAME\""), std::string::npos);
    EXPECT_EQ(read.problems[8].line, 9);
}

TEST(LevelSounds, AnUnreadableFileIsToldApartFromAMissingOne) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "levels/sound3.txt");
    EXPECT_EQ(readLevelSounds(3, 0, 0).status, LevelSounds::Status::Unreadable);
}

TEST(LevelSounds, LongLinesAreLeftOutWithoutEndingTheFile) {
    TempDir dir;
    dir.write("levels/sound1.txt", "o 0 " + std::string(300, 'a') + "\nambient hum\n");
    const LevelSounds read = readLevelSounds(1, 1, 0);
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(read.problems[0].line, 1);
    EXPECT_EQ(read.ambient, "hum");
}
