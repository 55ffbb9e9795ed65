#include "scene/Placement.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <limits>

PlacementScope::PlacementScope(SceneObject& object, const float* baseMatrix) {
    glPushMatrix();
    glLoadIdentity();
    if (baseMatrix) glLoadMatrixf(baseMatrix);

    const Vector3& p = object.position;
    const Vector3& pivot = object.pivot;
    glTranslatef(p.x + pivot.x, p.y + pivot.y + object.heightOffset(), p.z + pivot.z);
    glRotatef(object.rotationX, 1, 0, 0);
    glRotatef(object.rotationY, 0, 1, 0);
    glTranslatef(-pivot.x, -pivot.y, -pivot.z);
    glScalef(object.scale.x, object.scale.y, object.scale.z);

    glGetFloatv(GL_MODELVIEW_MATRIX, object.modelViewMatrix.data());
}

PlacementScope::~PlacementScope() { glPopMatrix(); }

float groundDistance(const SceneObject& object, float px, float pz) {
    const float dx = px - object.position.x;
    const float dz = pz - object.position.z;
    return std::sqrt(dx * dx + dz * dz);
}

namespace {
float sortKey(const SceneObject& object) {
    const float d = object.distanceToPlayer;
    return std::isnan(d) ? std::numeric_limits<float>::infinity() : d;
}

bool fartherThan(const std::unique_ptr<SceneObject>& a, const std::unique_ptr<SceneObject>& b) {
    return sortKey(*a) > sortKey(*b);
}
}  // namespace

void sortFarthestFirst(std::vector<std::unique_ptr<SceneObject>>& objects, float px, float pz) {
    for (auto& object : objects) object->distanceToPlayer = groundDistance(*object, px, pz);

    // Insertion sort: stable, allocates nothing, and linear on last frame's
    // order, which is nearly always still right. Stability keeps objects at
    // equal distance from swapping their blending order from frame to frame.
    for (auto it = objects.begin(); it != objects.end(); ++it) {
        auto slot = std::upper_bound(objects.begin(), it, *it, fartherThan);
        std::rotate(slot, it, it + 1);
    }
}
