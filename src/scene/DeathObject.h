#pragma once
#include "scene/ModelObject.h"

// A deadly object, possibly animated once a switch activates it.
class DeathObject : public ModelObject {
public:
    explicit DeathObject(bool staticCollision);

    void draw(const float* baseMatrix) override;
    void activate() override { animating = true; }
    HitKind collide(CollisionModel3D* other) override;
    // Moves the animation on by `frames`; the bones are posed when the
    // object is next drawn or tested, so that one out of view and out of
    // reach costs next to nothing.
    void update(float frames) override;
    void compileDisplayList() override {}

    bool animating = true;

private:
    void catchUpPose();
    bool poseBehind_ = false;
};
