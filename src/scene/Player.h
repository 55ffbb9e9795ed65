#pragma once
#include <cstddef>
#include <vector>

#include "scene/ModelObject.h"

// The player's animation segments, as frame numbers.
inline constexpr float walkFirstFrame = 1, walkLastFrame = 30;
inline constexpr float jumpUpFirstFrame = 30, jumpUpLastFrame = 45;
inline constexpr float landingFirstFrame = 45, landingLastFrame = 60;
inline constexpr float deathFirstFrame = 60, deathLastFrame = 70;

// The player character, always drawn in eye coordinates in front of the camera.
class Player : public ModelObject {
public:
    Player();

    void draw(const float* baseMatrix) override;
    void activate() override {}
    HitKind collide(CollisionModel3D* other) override { return meshTest(other); }
    void update(float) override {}
    void compileDisplayList() override {}
    float heightOffset() const override { return jumpHeight; }

    // One frame of a jump; true when it has landed.
    bool jump(float dt);
    // One frame of the death animation; true when it is over.
    bool die(float dt);
    // Frames per second of one entry of segmentFps; 0 for a missing entry.
    float segmentRate(std::size_t index) const;
    // Back to the first frame of the walk.
    void resetAnimation(float dt);

    float boundingSphere[4] = {0, 0, 0, 0};  // centre offset x, y, z and radius
    std::vector<int> segmentFps;
    bool jumpRising = false;
    float jumpHeight = 0;
};
