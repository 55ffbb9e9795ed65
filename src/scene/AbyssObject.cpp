#include "scene/AbyssObject.h"

#include <GL/gl.h>

#include "scene/MeshList.h"
#include "surfaces/Placement.h"

AbyssObject::AbyssObject() : ModelObject(true) {}

void AbyssObject::draw(const float* baseMatrix) {
    PlacementScope placed(*this, baseMatrix);
    if (useDisplayList && displayList.get() != 0)
        glCallList(displayList.get());
    else
        drawMeshes();
}

HitKind AbyssObject::collide(CollisionModel3D* other) { return boundingTest(other); }

void AbyssObject::compileDisplayList() { recordMeshList(*this); }
