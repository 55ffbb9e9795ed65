#include <gtest/gtest.h>

#include <memory>

#include "TempDir.h"
#include "platform/Paths.h"

TEST(Paths, BackslashPathsOpenTheSameFile) {
    TempDir dir;
    dir.write("texturen/wasser.tga", "x");
    std::unique_ptr<std::FILE, FileCloser> file(openGameFile(".\\texturen\\wasser.tga", "rb"));
    EXPECT_NE(file, nullptr);
    EXPECT_EQ(hostPath(".\\a\\b.txt"), "./a/b.txt");
}

TEST(Paths, DirectoriesAndMissingFilesDoNotOpen) {
    TempDir dir;
    dir.write("models/a.txt", "x");
    EXPECT_EQ(openGameFile("./models", "r"), nullptr);
    EXPECT_EQ(openGameFile("./models/missing.txt", "r"), nullptr);
}
