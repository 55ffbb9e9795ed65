#pragma once
#include "scene/SceneObject.h"
#include "surfaces/CollisionModelPtr.h"

// A see-through grille that blocks like a wall and rises when a switch is hit.
class LatticeObject final : public SceneObject {
public:
    LatticeObject();

    void draw(const float* baseMatrix) override;
    void drawLocal() override { draw(nullptr); }
    void activate() override { position.y += upStep; }
    HitKind collide(CollisionModel3D* other) override;
    void update(float) override {}
    void compileDisplayList() override;
    float heightOffset() const override { return upStep; }
    bool localBounds(BoundingSphere& sphere) override;
    void skipDraw(StateLeft& state) override;

    TextureName latticeTexture;
    CollisionModelPtr collisionModel;
    float latticeColour[4] = {1, 1, 1, 1};
    float upStep = 0;
};
