#pragma once
#include <vector>

#include "scene/ModelObject.h"

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

    float boundingSphere[4] = {0, 0, 0, 0};  // centre offset x, y, z and radius
    std::vector<int> segmentFps;
    bool jumpRising = false;
    float jumpHeight = 0;
};
