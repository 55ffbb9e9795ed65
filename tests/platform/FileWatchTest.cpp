#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "TempDir.h"
#include "platform/FileWatch.h"

// Editors save in place or by renaming a new file over the old one; both count,
// and so does a removal. Files nobody asked about do not.
TEST(FileWatch, SeesWritesRenamesAndRemovalsOfItsFilesOnly) {
    TempDir dir;
    dir.write("levels/level1.cfg", "Level\n");
    dir.write("levels/other.txt", "x\n");
    dir.write("zarnoth.ini", "GameMode=0\n");
    FileWatch watch;
    ASSERT_TRUE(watch.usable());
    watch.add("./levels/level1.cfg");
    watch.add("zarnoth.ini");
    watch.add("models/missing.txt");
    EXPECT_FALSE(watch.changed());

    dir.write("levels/other.txt", "y\n");
    EXPECT_FALSE(watch.changed());

    dir.write("levels/level1.cfg", "Level\n\n");
    EXPECT_TRUE(watch.changed());
    EXPECT_FALSE(watch.changed());

    dir.write("levels/new.cfg", "Level\n");
    std::filesystem::rename(dir.path() / "levels/new.cfg", dir.path() / "levels/level1.cfg");
    EXPECT_TRUE(watch.changed());

    dir.write("zarnoth.ini", "GameMode=1\n");
    EXPECT_TRUE(watch.changed());

    std::filesystem::remove(dir.path() / "levels/level1.cfg");
    EXPECT_TRUE(watch.changed());

    watch.forgetFiles();
    dir.write("levels/level1.cfg", "Level\n");
    EXPECT_FALSE(watch.changed());
}
