#pragma once
#include "scene/ModelObject.h"

// A deadly object, possibly animated once a switch activates it.
class DeathObject : public ModelObject {
public:
    explicit DeathObject(bool staticCollision);

    void draw(const float* baseMatrix) override;
    void activate() override { animating = true; }
    HitKind collide(CollisionModel3D* other) override { return meshTest(other); }
    void update(float frames) override;
    void compileDisplayList() override {}

    bool animating = true;
};
