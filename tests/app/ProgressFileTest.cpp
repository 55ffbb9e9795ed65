#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

#include "TempDir.h"
#include "app/ProgressFile.h"
#include "game/Progress.h"

namespace {
bool readText(std::string text, Progress& read, std::string& problem) {
    return readProgress(fmemopen(text.data(), text.size(), "r"), read, problem);
}
}  // namespace

TEST(ProgressFile, ReadsWhatItWritesAndRefusesEveryOtherText) {
    Progress progress;
    progress.furthestLevel = 3;
    progress.bestMilliseconds = {34217, 0, 1};
    const std::string text = progressText(progress);
    EXPECT_EQ(text, "zarnoth-progress 1\nfurthest 3\nbest 1 34.217\nbest 3 0.001\n");
    Progress read;
    std::string problem;
    ASSERT_TRUE(readText(text, read, problem)) << problem;
    EXPECT_EQ(read.furthestLevel, 3);
    EXPECT_EQ(read.bestMilliseconds, progress.bestMilliseconds);
    EXPECT_TRUE(readText("zarnoth-progress 1\r\nbest 2 0.500\r\n", read, problem)) << problem;
    EXPECT_EQ(read.best(2), 500);
    EXPECT_EQ(read.furthestLevel, 0);

    // Each broken file is refused whole, with the line that breaks it.
    const std::pair<const char*, const char*> broken[] = {
        {"", "line 1: the first line is not \"zarnoth-progress 1\""},
        {"zarnoth-progress 2\n", "line 1:"},
        {"zarnoth-progress 1\nfurthest 4\n", "line 2: the level \"4\" is not 1 to 3"},
        {"zarnoth-progress 1\nfurthest 1\nfurthest 2\n", "line 3: a second \"furthest\" line"},
        {"zarnoth-progress 1\nbest 1 2.000\nbest 1 1.000\n", "line 3: a second best time of level 1"},
        {"zarnoth-progress 1\nbest 1 34.2\n", "line 2: the time \"34.2\" is not seconds with three decimals"},
        {"zarnoth-progress 1\nbest 1 -1.000\n", "line 2: the time"},
        {"zarnoth-progress 1\nbest 1 1234567890.000\n", "line 2: the time"},
        {"zarnoth-progress 1\nbest 1 1.000 2\n", "line 2: the time"},
        {"zarnoth-progress 1\nbest 1 0.000\n", "line 2: a best time of 0"},
        {"zarnoth-progress 1\nbest 0 1.000\n", "line 2: the level \"0\""},
        {"zarnoth-progress 1\nbest 1\n", "line 2: expected \"best LEVEL SECONDS\""},
        {"zarnoth-progress 1\n\n", "line 2: expected"},
        {"zarnoth-progress 1\nfurthest 1\nlevel 2\n", "line 3: expected"},
    };
    for (const auto& [content, expected] : broken) {
        read.furthestLevel = 2;
        EXPECT_FALSE(readText(content, read, problem)) << content;
        EXPECT_EQ(problem.rfind(expected, 0), 0u) << content << " gave: " << problem;
        EXPECT_EQ(read.furthestLevel, 0) << "a broken file leaves no progress";
    }
    EXPECT_FALSE(readText("zarnoth-progress 1\nfurthest 2" + std::string(100, ' ') + "\n", read, problem));
    EXPECT_EQ(problem, "line 2: longer than 64 characters");
    EXPECT_FALSE(readProgress(nullptr, read, problem));
    EXPECT_EQ(problem, "cannot be read");
}

// A child saves better and better times as fast as it can and is killed at
// a random moment after its first save: every time, the file is one whole
// version, at least that first one.
TEST(ProgressFile, AKillAtAnyMomentLeavesTheOldFileOrTheNewOneWhole) {
    TempDir dir;
    const std::string path = (dir.path() / "zarnoth" / progressFileName).string();
    ASSERT_EQ(setenv("XDG_DATA_HOME", dir.path().c_str(), 1), 0);
    keepProgressInFile();
    std::mt19937 random(24);
    std::uniform_int_distribution<int> microseconds(0, 3000);
    std::int64_t lastSeen = 0;  // the number of saves the file held
    constexpr int kills = 40;
    for (int kill = 0; kill < kills; ++kill) {
        int firstSaved[2];
        ASSERT_EQ(pipe(firstSaved), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            Progress saving;
            saving.furthestLevel = 2;
            for (std::int64_t save = lastSeen + 1;; ++save) {
                saving.bestMilliseconds[0] = longestMilliseconds - save;
                keepProgress(saving);
                if (save == lastSeen + 1 && write(firstSaved[1], "s", 1) != 1) _exit(1);
            }
        }
        close(firstSaved[1]);
        char byte = 0;
        const bool saved = read(firstSaved[0], &byte, 1) == 1;
        close(firstSaved[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(microseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(saved && WIFSIGNALED(status)) << "the saving child ended by itself";

        Progress read;
        std::string problem;
        ASSERT_TRUE(readProgress(std::fopen(path.c_str(), "rb"), read, problem)) << "kill " << kill << ": " << problem;
        ASSERT_EQ(read.furthestLevel, 2);
        const std::int64_t saves = longestMilliseconds - read.best(1);
        ASSERT_GT(saves, lastSeen) << "kill " << kill << ": not the child's first save or a later one";
        lastSeen = saves;
    }
    unsetenv("XDG_DATA_HOME");
    keepProgress = nullptr;
    std::printf("%lld saves in %d kills\n", static_cast<long long>(lastSeen), kills);
}
