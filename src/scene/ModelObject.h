#pragma once
#include "scene/Model.h"
#include "scene/SceneObject.h"

// The common base of every object that shows a Model.
class ModelObject : public SceneObject {
public:
    explicit ModelObject(bool buildCollision) : model(buildCollision) {}

    void drawLocal() override { draw(nullptr); }
    void drawMeshes() { model.drawMeshes(); }
    // The model's "BoundingBox" against `other`: HIT_ABYSS on contact.
    HitKind boundingTest(CollisionModel3D* other);
    // Every drawable mesh against `other`: HIT_MESH on the first contact.
    HitKind meshTest(CollisionModel3D* other);

    bool localBounds(BoundingSphere& sphere) override;
    void skipDraw(DrawState& state) override;
    // The box round every drawable mesh in the present pose; empty without one.
    BoundingBox meshBox();

    Model model;

private:
    // Each bone's vertices in the bone's own space (the pose moves the box
    // as a whole), and the vertices without a bone; worked out once per model.
    void measureMeshes();
    std::vector<BoundingBox> boneBoxes_;
    BoundingBox unbonedBox_;
    const Mesh* measuredMeshes_ = nullptr;
    int measuredCount_ = -1;
};
