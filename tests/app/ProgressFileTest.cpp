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
