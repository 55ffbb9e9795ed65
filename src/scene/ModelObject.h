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

    // A sphere that holds the model in every pose its animation can take:
    // bones only turn and move, so a vertex stays within its distance from its
    // bone plus the bones' offsets up the chain. Worked out once per model. A
    // model without a triangle to draw (an abyss's, which only collides)
    // shows nothing: its sphere is the point at its origin.
    bool localBounds(BoundingSphere& sphere) override;
    void skipDraw(StateLeft& state) override;
    // The box round the model in every pose (empty without a drawable mesh).
    BoundingBox allPosesBox();

    Model model;

private:
    // Whether the model is still the one measured; if not, forgets what was.
    bool measured();
    BoundingBox measurePoses() const;
    BoundingBox posesBox_;
    BoundingSphere posesSphere_;
    bool posesSphereKnown_ = false;
    StateLeft leftState_;  // what drawMeshes leaves: the same at every draw
    const Mesh* measuredMeshes_ = nullptr;
    std::size_t measuredCount_ = 0;
};
