#include "game/ViewCulling.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "scene/Placement.h"
#include "scene/SceneObject.h"

namespace {
float largestStretch(const float* m) {
    float largest = 0;
    for (int column = 0; column < 3; ++column) {
        const float* c = m + 4 * column;
        largest = std::max(largest, std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]));
    }
    return largest;
}

// The object's placement matrix, worked out again only when it has moved.
const PlacementCache& placement(SceneObject& object) {
    PlacementCache& cache = object.placementCache;
    const float key[12] = {object.position.x, object.position.y, object.position.z, object.pivot.x,
                           object.pivot.y,    object.pivot.z,    object.rotationX,  object.rotationY,
                           object.scale.x,    object.scale.y,    object.scale.z,    object.heightOffset()};
    if (cache.valid && std::memcmp(key, cache.key, sizeof key) == 0) return cache;
    MatrixSteps steps;
    placeObject(object, key[11], steps);
    cache.matrix = steps.matrix;
    // Placement turns and scales but never shears: the longest column is the most it stretches.
    cache.largestScale = largestStretch(cache.matrix.m);
    std::memcpy(cache.key, key, sizeof key);
    cache.valid = true;
    return cache;
}

Vector3 transform(const float* m, const Vector3& p) {
    return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12], m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
            m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}
}  // namespace

ViewVolume ViewVolume::current(const float* view) {
    float p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    // Each plane is the last row of the projection plus or minus one of the
    // others: a point is inside when -w <= x, y, z <= w in clip space.
    ViewVolume volume;
    volume.view = view;
    volume.viewStretch = largestStretch(view);
    for (int axis = 0; axis < 3; ++axis) {
        for (int side = 0; side < 2; ++side) {
            float* plane = volume.planes[2 * axis + side];
            const float sign = side == 0 ? 1.0f : -1.0f;
            for (int k = 0; k < 4; ++k) plane[k] = p[4 * k + 3] + sign * p[4 * k + axis];
            const float length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
            for (int k = 0; k < 4; ++k) plane[k] = length > 0 ? plane[k] / length : 0;
        }
    }
    return volume;
}

bool worldBounds(SceneObject& object, float centre[3], float& radius) {
    BoundingSphere local;
    if (!object.localBounds(local)) return false;
    const PlacementCache& placed = placement(object);
    const Vector3 world = transform(placed.matrix.m, local.centre);
    centre[0] = world.x;
    centre[1] = world.y;
    centre[2] = world.z;
    radius = local.radius * placed.largestScale;
    return true;
}

bool sphereOutOfView(const float centre[3], float radius, const ViewVolume& volume) {
    const Vector3 eye = transform(volume.view, Vector3{centre[0], centre[1], centre[2]});
    // The margin covers the rounding by which these matrices and OpenGL's may differ.
    const float reach = radius * volume.viewStretch * 1.001f + 0.01f;
    for (const auto& plane : volume.planes) {
        const float distance = plane[0] * eye.x + plane[1] * eye.y + plane[2] * eye.z + plane[3];
        if (distance < -reach) return true;
    }
    return false;
}

bool outOfView(SceneObject& object, const ViewVolume& volume) {
    float centre[3], radius;
    return worldBounds(object, centre, radius) && sphereOutOfView(centre, radius, volume);
}
