#include "scene/LevelObject.h"

#include "scene/MeshList.h"
#include "scene/Placement.h"

LevelObject::LevelObject(bool buildCollision) : ModelObject(buildCollision) {}

void LevelObject::draw(const float* baseMatrix) {
    PlacementScope placed(*this, baseMatrix);
    drawMeshListOrMeshes(*this);
}

HitKind LevelObject::collide(CollisionModel3D* other) { return meshTest(other); }

void LevelObject::compileDisplayList() { recordMeshList(*this); }
