#include "game/Collision.h"

bool segmentTouchesSphere(float x1, float y1, float z1, float x2, float y2, float z2,
                          float cx, float cy, float cz, float r) {
    const float dx = x2 - x1, dy = y2 - y1, dz = z2 - z1;
    const float wx = cx - x1, wy = cy - y1, wz = cz - z1;
    const float lengthSquared = dx * dx + dy * dy + dz * dz;

    // A wall of no length is a point: it touches when it lies within the sphere.
    if (lengthSquared == 0) return wx * wx + wy * wy + wz * wz <= r * r;

    const float t = (wx * dx + wy * dy + wz * dz) / lengthSquared;
    if (t < 0 || t > 1) return false;

    // The line meets the sphere exactly when its nearest point to the centre
    // is within r. Measured from that point, a touch at an end point (t 0 or 1)
    // compares the same numbers that placed the sphere there.
    const float nx = x1 + t * dx - cx, ny = y1 + t * dy - cy, nz = z1 + t * dz - cz;
    return nx * nx + ny * ny + nz * nz <= r * r;
}
