#pragma once
#include "scene/ModelObject.h"

class AbyssObject : public ModelObject {
public:
    AbyssObject();

    void draw(const float* baseMatrix) override;
    void activate() override {}
    HitKind collide(CollisionModel3D* other) override;
    void update(float) override {}
    void compileDisplayList() override;
};
