#include <gtest/gtest.h>

#include "game/PlayerSounds.h"
#include "scene/Player.h"

// Footfalls follow the walk animation's frames, including its wrap from the
// last frame back to the first, and never come from the jump or death frames.
TEST(Footfall, TwoPerStrideOnTheWalkFrames) {
    EXPECT_TRUE(footfallBetween(7.5f, 8.0f));
    EXPECT_FALSE(footfallBetween(8.0f, 8.5f));  // counted once, on arriving
    EXPECT_TRUE(footfallBetween(22.9f, 23.7f));
    EXPECT_FALSE(footfallBetween(9.0f, 22.0f));
    EXPECT_FALSE(footfallBetween(12.0f, 12.0f));  // standing: no advance
    EXPECT_FALSE(footfallBetween(29.5f, walkFirstFrame));
    EXPECT_TRUE(footfallBetween(23.5f, 8.2f));  // wrapped and came down again
    // The walk starting from a jump's, a landing's or a death's pose.
    EXPECT_FALSE(footfallBetween(landingLastFrame, walkFirstFrame));
    EXPECT_FALSE(footfallBetween(deathLastFrame, walkFirstFrame + 0.8f));

    // One stride at 55 frames per second and 64 frames per second: two footfalls.
    float frame = walkFirstFrame;
    int falls = 0;
    for (int i = 0; i < 35; ++i) {
        const float before = frame;
        frame += 55.0f / 64;
        if (frame > walkLastFrame) frame = walkFirstFrame;
        if (footfallBetween(before, frame)) ++falls;
    }
    EXPECT_EQ(falls, 2);
}
