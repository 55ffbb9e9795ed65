#include "scene/AbyssObject.h"

#include "scene/MeshList.h"
#include "scene/Placement.h"

AbyssObject::AbyssObject() : ModelObject(true) {}

void AbyssObject::draw(const float* baseMatrix) {
    PlacementScope placed(*this, baseMatrix);
    drawMeshListOrMeshes(*this);
}

HitKind AbyssObject::collide(CollisionModel3D* other) { return boundingTest(other); }

void AbyssObject::compileDisplayList() { recordMeshList(*this); }
