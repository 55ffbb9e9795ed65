#include "scene/ModelObject.h"

HitKind ModelObject::boundingTest(CollisionModel3D* other) {
    CollisionModel3D* bounds = model.boundingModel.get();
    if (!bounds) return HIT_NONE;
    bounds->setTransform(modelViewMatrix.data());
    if (!other) return HIT_NONE;
    return bounds->collides(other) ? HIT_ABYSS : HIT_NONE;
}

// Rebuilds every per-pose model even when there is nothing to test against,
// so the meshes always follow the pose of the last update.
HitKind ModelObject::meshTest(CollisionModel3D* other) {
    for (int i = 0; i < model.meshCount; ++i) {
        CollisionModel3D* mesh = model.meshCollisionModel(i);
        if (!mesh) continue;
        mesh->setTransform(modelViewMatrix.data());
        if (other && mesh->collides(other)) return HIT_MESH;
    }
    return HIT_NONE;
}
