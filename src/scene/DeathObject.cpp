#include "scene/DeathObject.h"

#include "scene/Placement.h"

DeathObject::DeathObject(bool staticCollision) : ModelObject(staticCollision) {}

void DeathObject::draw(const float* baseMatrix) {
    PlacementScope placed(*this, baseMatrix);
    drawMeshes();
}

void DeathObject::update(float frames) {
    if (animating) model.advanceAnimation(frames);
}
