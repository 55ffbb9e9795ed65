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

    Model model;
};
