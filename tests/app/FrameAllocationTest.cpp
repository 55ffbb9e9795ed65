#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "CountingAllocator.h"
#include "GlTestContext.h"
#include "InDataDirectory.h"
#include "Walkthrough.h"
#include "app/BitmapFont.h"
#include "app/Frame.h"
#include "app/InputTrack.h"
#include "app/KeyNames.h"
#include "game/Camera.h"
#include "game/Collision.h"
#include "game/GameSounds.h"
#include "game/GameState.h"
#include "game/Input.h"
#include "game/LevelEntry.h"
#include "game/SceneFrame.h"
#include "level/LevelLoader.h"
#include "level/Scene.h"

namespace {
// A few hundred frames of steady play on each shipped level: the opening of its
// walkthrough (walking, turning, strafing, jumping past its first dangers),
// cut before the route's timing with the moving objects starts to matter, since
// the second walk meets them in another phase.
constexpr std::size_t steadyFrames = 480;

InputTrack openingOfWalkthrough(int level) {
    InputTrack track = readWalkthrough(level);
    if (track.frameTimes.size() > steadyFrames) track.frameTimes.resize(steadyFrames);
    std::erase_if(track.keys, [](const TrackKey& key) { return key.frame >= steadyFrames; });
    return track;
}

}  // namespace

TEST(SteadyPlay, FramesAllocateNothingOnAnyLevel) {
    ensureGlContext(640, 480);
    InputTrack tracks[3];
    for (int i = 0; i < 3; ++i) tracks[i] = openingOfWalkthrough(i + 1);

    InDataDirectory data;
    // Heard through a device that plays into nothing: every sound is started,
    // placed, paused and stopped as on a real one.
    setenv("ALSOFT_DRIVERS", "null", 1);
    startSound({});
    ASSERT_FALSE(soundMuted()) << "no sound device, so the sounds' frames go uncounted";
    font = std::make_unique<BitmapFont>();
    currentLevel = 1;
    startScene();
    for (int level = 1; level <= 3; ++level) {
        currentLevel = level;
        enterLevel(level, Arrival::WhereStanding);
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
                deliverKeysDue(track, frame, nextKey);
                runFrame(track.frameTimes[frame]);
                countAllocations = false;
                ASSERT_FALSE(dead || falling) << "level " << level << ", frame " << frame;
            }
        }
        EXPECT_EQ(allocations.load(), 0) << "level " << level;
        EXPECT_EQ(currentLevel, level);
    }
    releaseHeldKeys();
    endSound();
    unsetenv("ALSOFT_DRIVERS");
    font.reset();
}
