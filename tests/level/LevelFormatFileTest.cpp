#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "LevelTestSupport.h"
#include "level/LevelFormatFile.h"
#include "level/LevelLoader.h"
#include "level/ObjectFileException.h"

namespace {

class LevelFormatFile : public ::testing::Test {
protected:
    void TearDown() override { clearSceneGlobals(); }

    // Reads `content` as the level format file; the message thrown, or "".
    std::string read(const std::string& content) {
        dir.write("levels/levelformat1.txt", content);
        try {
            readLevelFormatFile("./levels/levelformat1.txt");
        } catch (const ObjectFileException& error) {
            return error.what();
        }
        return "";
    }

    TempDir dir;
};

}  // namespace

TEST_F(LevelFormatFile, ReadsEveryWallInFileOrder) {
    EXPECT_EQ(read("3\n-5 -5 5 -5 z 1 0\n-5 -5 -5 5     x -1 -1\r\n4.5 5 5 5.25 z -1 2"), "");
    ASSERT_EQ(walls.size(), 3u);

    EXPECT_FLOAT_EQ(walls[0].x1, -5);
    EXPECT_FLOAT_EQ(walls[0].z1, -5);
    EXPECT_FLOAT_EQ(walls[0].x2, 5);
    EXPECT_FLOAT_EQ(walls[0].z2, -5);
    EXPECT_EQ(walls[0].blockAxis, 2);
    EXPECT_EQ(walls[0].blockSign, 1);
    EXPECT_EQ(walls[0].nextLevel, 0);

    EXPECT_EQ(walls[1].blockAxis, 0);
    EXPECT_EQ(walls[1].blockSign, -1);
    EXPECT_EQ(walls[1].nextLevel, -1);

    EXPECT_FLOAT_EQ(walls[2].x1, 4.5f);
    EXPECT_FLOAT_EQ(walls[2].z2, 5.25f);
    EXPECT_EQ(walls[2].nextLevel, 2);
    for (const Wall& wall : walls) {
        EXPECT_EQ(wall.y1, 0);
        EXPECT_EQ(wall.y2, 0);
    }
}

TEST_F(LevelFormatFile, TheCountDecidesHowManyLinesAreRead) {
    EXPECT_EQ(read("2\n0 0 1 0 z 1 0\n0 0 0 1 x 1 0\nnot a wall at all\n"), "");
    EXPECT_EQ(walls.size(), 2u);

    EXPECT_EQ(read("3\n0 0 1 0 z 1 0\n0 0 0 1 x 1 0\n"), "");
    EXPECT_EQ(walls.size(), 2u);

    EXPECT_EQ(read(""), "");
    EXPECT_TRUE(walls.empty());

    EXPECT_EQ(read("-4\nnot a wall\n"), "");
    EXPECT_TRUE(walls.empty());

    // A count far beyond the lines that follow costs nothing.
    EXPECT_EQ(read("2000000000\n0 0 1 0 z 1 0\n"), "");
    EXPECT_EQ(walls.size(), 1u);
}

TEST_F(LevelFormatFile, MalformedLinesStopWithTheWallsBeforeThem) {
    const std::string twoWalls = "0 0 1 0 z 1 0\n0 0 0 1 x 1 0\n";
    EXPECT_EQ(read("\n" + twoWalls), "Fehler.");
    EXPECT_TRUE(walls.empty());
    EXPECT_EQ(read("walls\n" + twoWalls), "Fehler.");
    EXPECT_TRUE(walls.empty());

    EXPECT_EQ(read("3\n0 0 1 0 z 1 0\n\n0 0 0 1 x 1 0\n"), "Fehler.");
    EXPECT_EQ(walls.size(), 1u);
    EXPECT_EQ(read("3\n0 0 1 0 z 1 0\n0 0 0 1 x 1\n"), "Fehler.");
    EXPECT_EQ(walls.size(), 1u);
    EXPECT_EQ(read("2\n 0 0 1 0 z 1 0\n0 0 0 1 z 1 x\n"), "Fehler.");
    EXPECT_EQ(walls.size(), 1u);

    for (const char* letter : {"y", "X", "Z"}) {
        EXPECT_EQ(read(std::string("2\n0 0 1 0 z 1 0\n0 0 0 1 ") + letter + " 1 0\n"), "Fehler.") << letter;
        EXPECT_EQ(walls.size(), 1u) << letter;
    }
}

TEST_F(LevelFormatFile, WallsAreEmptiedEvenWhenTheFileIsMissing) {
    EXPECT_EQ(read("1\n0 0 1 0 z 1 0\n"), "");
    ASSERT_EQ(walls.size(), 1u);
    try {
        readLevelFormatFile("./levels/levelformat9.txt");
        ADD_FAILURE() << "a missing file must not read";
    } catch (const ObjectFileException& error) {
        EXPECT_STREQ(error.what(), "Lesefehler.");
    }
    EXPECT_TRUE(walls.empty());
}

TEST_F(LevelFormatFile, ReadingAgainGivesTheSameWallsOnce) {
    const std::string file = "2\n0 0 1 0 z 1 0\n0 0 0 1 x -1 3\n";
    EXPECT_EQ(read(file), "");
    EXPECT_EQ(read(file), "");
    ASSERT_EQ(walls.size(), 2u);
    EXPECT_EQ(walls[1].nextLevel, 3);
}

TEST_F(LevelFormatFile, ValuesOutsideTheUsualRangeAreStoredAsRead) {
    EXPECT_EQ(read("1\nnan inf -inf 1e30 z 65537 7\n"), "");
    ASSERT_EQ(walls.size(), 1u);
    EXPECT_TRUE(std::isnan(walls[0].x1));
    EXPECT_TRUE(std::isinf(walls[0].z1));
    EXPECT_EQ(walls[0].blockSign, 1);  // cut to 16 bits
    EXPECT_EQ(walls[0].nextLevel, 7);
}
