#pragma once
#include "scene/SceneObject.h"
#include "surfaces/CollisionModelPtr.h"

// A plate that moves once when the player first touches its top.
class SwitchObject final : public SceneObject {
public:
    SwitchObject();

    void draw(const float* baseMatrix) override;
    void drawLocal() override { draw(nullptr); }
    void activate() override {}
    HitKind collide(CollisionModel3D* other) override;
    void update(float) override {}
    void compileDisplayList() override;
    bool localBounds(BoundingSphere& sphere) override;
    void skipDraw(StateLeft& state) override;

    float diffuse[4] = {0.9f, 0.9f, 0.9f, 1.0f};
    float specular[4] = {1, 1, 1, 1};
    float emission[4] = {0, 0, 0, 1};
    CollisionModelPtr collisionModel;
    bool pressed = false;
    TextureName switchTexture;
    float pressDistance = 0;
    short pressAxis = 0;  // 1 = x, 2 = y, 3 = z; anything else: no movement
};
