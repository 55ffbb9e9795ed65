#pragma once
#include "scene/ModelObject.h"

class LevelObject : public ModelObject {
public:
    explicit LevelObject(bool buildCollision);

    void draw(const float* baseMatrix) override;
    void activate() override {}
    HitKind collide(CollisionModel3D* other) override;
    void update(float) override {}
    void compileDisplayList() override;
};
