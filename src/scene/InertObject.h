#pragma once
#include "scene/SceneObject.h"

// A scene object that draws and tests nothing: a level object as the checker
// reads it, and the filler of scene lists in tests and fuzzers, neither of
// which has GL or a model to draw.
class InertObject : public SceneObject {
public:
    void draw(const float*) override {}
    void drawLocal() override {}
    void activate() override {}
    HitKind collide(CollisionModel3D*) override { return HIT_NONE; }
    void update(float) override {}
    void compileDisplayList() override {}
};
