#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CountingAllocator.h"
#include "GlTestContext.h"
#include "TempDir.h"
#include "app/BitmapFont.h"
#include "app/Globals.h"
#include "app/InputTrack.h"
#include "app/PlaySession.h"
#include "game/Camera.h"
#include "game/GameState.h"
#include "game/SceneFrame.h"
#include "level/LevelLoader.h"
#include "level/Scene.h"

namespace {
// A few hundred frames of steady play on each shipped level: walking, turning,
// strafing, tilting, jumping, a switch and whatever it sets in motion, and the
// animated deadly objects close enough for the collision pass every frame.
const char* const steadyPlay[3] = {
    // Level 1: over the switch, which raises the lattice; the blade spins near by.
    "hold , 0.33\npress space\nhold up 2.7\nhold right 0.5\nhold pagedown 0.3\nhold pageup 0.3\nhold . 0.3\n",
    // Level 2: right of the basin, then left over the switch, which sets the
    // bar turning; the player stays clear of it and watches.
    "hold . 0.6\nhold up 2.375\nhold , 0.6\nhold left 0.5\npress space\nwait 1.5\n",
    // Level 3: up the lane between the two turning blades.
    "hold up 2\ntap space\nwait 0.5\nhold down 0.5\nhold right 0.3\nhold left 0.3\nwait 0.5\n",
};

InputTrack readScript(const char* text) {
    TempDir dir;
    dir.write("steady.txt", text);
    InputTrack track;
    std::string error;
    EXPECT_EQ(readInputTrack("steady.txt", "steady.txt", track, error), TrackRead::Read) << error;
    return track;
}

// The shipped levels, read from the source tree's data/.
class InDataDirectory {
public:
    InDataDirectory() : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(ZARNOTH_SOURCE_DIR "/data");
    }
    ~InDataDirectory() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};
}  // namespace

TEST(SteadyPlay, FramesAllocateNothingOnAnyLevel) {
    ensureGlContext(640, 480);
    InputTrack tracks[3];
    for (int i = 0; i < 3; ++i) tracks[i] = readScript(steadyPlay[i]);

    InDataDirectory data;
    font = std::make_unique<BitmapFont>();
    currentLevel = 1;
    startScene();
    for (int level = 1; level <= 3; ++level) {
        currentLevel = level;
        loadLevel(level);
        const InputTrack& track = tracks[level - 1];
        ASSERT_GT(track.frameTimes.size(), 200u);
        // The first walk sets things up: the driver, and buffers that grow to
        // their size when an object first comes within reach of the collision
        // pass. The second walk of the same route is steady play.
        for (const bool counted : {false, true}) {
            camera.reset();
            releaseHeldKeys();
            std::size_t nextKey = 0;
            allocations = 0;
            for (std::size_t frame = 0; frame < track.frameTimes.size(); ++frame) {
                countAllocations = counted;
                while (nextKey < track.keys.size() && track.keys[nextKey].frame <= frame) {
                    deliverKey(track.keys[nextKey].key, track.keys[nextKey].down);
                    ++nextKey;
                }
                runFrame(track.frameTimes[frame]);
                countAllocations = false;
                ASSERT_FALSE(dead || falling) << "level " << level << ", frame " << frame;
            }
        }
        EXPECT_EQ(allocations.load(), 0) << "level " << level;
        EXPECT_EQ(currentLevel, level);
    }
    releaseHeldKeys();
    font.reset();
}
