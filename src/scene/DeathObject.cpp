#include "scene/DeathObject.h"

#include "scene/Placement.h"

DeathObject::DeathObject(bool staticCollision) : ModelObject(staticCollision) {}

void DeathObject::draw(const float* baseMatrix) {
    catchUpPose();
    PlacementScope placed(*this, baseMatrix);
    drawMeshes();
}

HitKind DeathObject::collide(CollisionModel3D* other) {
    catchUpPose();
    return meshTest(other);
}

void DeathObject::update(float frames) {
    if (!animating) return;
    // A pose that depends on the frames before it is worked out at every one.
    if (!model.bonesParentFirst()) {
        model.advanceAnimation(frames);
        return;
    }
    model.advanceFrame(frames);
    poseBehind_ = true;
}

void DeathObject::catchUpPose() {
    if (!poseBehind_) return;
    model.poseAtCurrentFrame();
    poseBehind_ = false;
}
