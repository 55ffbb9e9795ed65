#include "collision/TriangleOverlap.h"

#include <algorithm>
#include <cmath>

namespace collision {

bool isFiniteMatrix(const float* matrix16) {
    for (int i = 0; i < 16; ++i) {
        if (!std::isfinite(matrix16[i])) return false;
    }
    return true;
}

Placement placementFromMatrix(const float* matrix16) {
    Placement p;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) p.linear[row][column] = matrix16[column * 4 + row];
    }
    p.translation = {matrix16[12], matrix16[13], matrix16[14]};
    return p;
}

bool isDegenerateTriangle(const float* c) {
    for (int i = 0; i < 9; ++i) {
        if (!std::isfinite(c[i])) return true;
    }
    // Differences of floats are exact in double for any sane range, so a flat
    // triangle gives an exactly zero cross product.
    const Vec3 u{double(c[3]) - c[0], double(c[4]) - c[1], double(c[5]) - c[2]};
    const Vec3 v{double(c[6]) - c[0], double(c[7]) - c[1], double(c[8]) - c[2]};
    return isZero(cross(u, v));
}

void placeTreeTriangle(const Placement& placement, const float* c, PlacedTriangle& out) {
    for (int i = 0; i < 3; ++i) out.corner[i] = placement.apply(c[3 * i], c[3 * i + 1], c[3 * i + 2]);
    out.normal = cross(out.corner[1] - out.corner[0], out.corner[2] - out.corner[0]);
    out.degenerate = isZero(out.normal) || !std::isfinite(out.normal.x) || !std::isfinite(out.normal.y) ||
                     !std::isfinite(out.normal.z);
}

void placeTriangle(const Placement& placement, const float* c, PlacedTriangle& out) {
    placeTreeTriangle(placement, c, out);
    out.degenerate = out.degenerate || isDegenerateTriangle(c);
}

namespace {

// Strict comparisons: intervals that only touch are not separated.
bool separatedAlong(const Vec3& axis, const Vec3 a[3], const Vec3 b[3]) {
    const double a0 = dot(axis, a[0]), a1 = dot(axis, a[1]), a2 = dot(axis, a[2]);
    const double b0 = dot(axis, b[0]), b1 = dot(axis, b[1]), b2 = dot(axis, b[2]);
    const double aLow = std::min({a0, a1, a2}), aHigh = std::max({a0, a1, a2});
    const double bLow = std::min({b0, b1, b2}), bHigh = std::max({b0, b1, b2});
    return aHigh < bLow || bHigh < aLow;
}

}  // namespace

// Separating axes: both face normals, the in-plane normals of all six edges (these
// decide coplanar and nearly coplanar pairs) and the nine edge-edge cross products.
// For two convex flat polygons this list is complete, so no axis separating means
// the triangles share a point.
bool trianglesMeet(const PlacedTriangle& a, const PlacedTriangle& b) {
    if (a.degenerate || b.degenerate) return false;

    // Work relative to one corner: small differences keep their precision far from
    // the origin, and exact inputs stay exact.
    const Vec3 origin = a.corner[0];
    const Vec3 pa[3] = {{0.0, 0.0, 0.0}, a.corner[1] - origin, a.corner[2] - origin};
    const Vec3 pb[3] = {b.corner[0] - origin, b.corner[1] - origin, b.corner[2] - origin};

    if (separatedAlong(a.normal, pa, pb) || separatedAlong(b.normal, pa, pb)) return false;

    const Vec3 ea[3] = {pa[1] - pa[0], pa[2] - pa[1], pa[0] - pa[2]};
    const Vec3 eb[3] = {pb[1] - pb[0], pb[2] - pb[1], pb[0] - pb[2]};
    for (int i = 0; i < 3; ++i) {
        if (separatedAlong(cross(a.normal, ea[i]), pa, pb)) return false;
        if (separatedAlong(cross(b.normal, eb[i]), pa, pb)) return false;
    }
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            if (separatedAlong(cross(ea[i], eb[j]), pa, pb)) return false;
        }
    }
    return true;
}

}  // namespace collision
