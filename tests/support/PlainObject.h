#pragma once
#include "scene/SceneObject.h"

// A scene object that draws and tests nothing: it fills the scene lists in
// tests, benchmarks and fuzzers without needing GL or a model.
class PlainObject : public SceneObject {
public:
    PlainObject() = default;
    explicit PlainObject(float x, float z = 0) { position = {x, 0, z}; }

    void draw(const float*) override {}
    void drawLocal() override {}
    void activate() override {}
    HitKind collide(CollisionModel3D*) override { return HIT_NONE; }
    void update(float) override {}
    void compileDisplayList() override {}
};
