#pragma once
#include <cstddef>

#include "scene/Player.h"

// The player's animation segments, as frame numbers.
constexpr float walkFirstFrame = 1, walkLastFrame = 30;
constexpr float jumpUpFirstFrame = 30, jumpUpLastFrame = 45;
constexpr float landingFirstFrame = 45, landingLastFrame = 60;
constexpr float deathFirstFrame = 60, deathLastFrame = 70;

// Frames per second of one entry of segmentFps; 0 for a missing entry.
inline float segmentRate(const Player& p, std::size_t index) {
    return index < p.segmentFps.size() ? static_cast<float>(p.segmentFps[index]) : 0.0f;
}

// Back to the first frame of the walk.
inline void resetPlayerAnimation(Player& p, float dt) {
    p.model.advanceAnimationRange(segmentRate(p, 0) * dt, walkFirstFrame, walkFirstFrame);
}
