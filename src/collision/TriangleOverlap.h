#pragma once
// The exact geometric core of the collision library: how a triangle is placed by a
// model's matrix, and when two placed triangles meet. The box tree only decides which
// pairs reach trianglesMeet; a brute-force check that places and tests every pair
// with these same functions gives the same answers.

namespace collision {

struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline double dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline bool isZero(const Vec3& a) { return a.x == 0.0 && a.y == 0.0 && a.z == 0.0; }

// The affine part of a column-major OpenGL matrix, widened to double. The bottom row
// is ignored: model placement never projects.
struct Placement {
    double linear[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};  // [row][column]
    Vec3 translation;

    Vec3 apply(double x, double y, double z) const {
        return {linear[0][0] * x + linear[0][1] * y + linear[0][2] * z + translation.x,
                linear[1][0] * x + linear[1][1] * y + linear[1][2] * z + translation.y,
                linear[2][0] * x + linear[2][1] * y + linear[2][2] * z + translation.z};
    }
    Vec3 column(int c) const { return {linear[0][c], linear[1][c], linear[2][c]}; }
};

bool isFiniteMatrix(const float* matrix16);
Placement placementFromMatrix(const float* matrix16);

struct PlacedTriangle {
    Vec3 corner[3];
    Vec3 normal;  // not normalised; zero for a degenerate triangle
    bool degenerate = true;
};

// True when the nine coordinates span no area (or are not all finite); such a
// triangle never meets anything.
bool isDegenerateTriangle(const float* corners9);

// Places the triangle whose corners are the nine floats at corners9. A triangle that
// is degenerate as given, or that the placement flattens to a line or point, is
// marked degenerate.
void placeTriangle(const Placement& placement, const float* corners9, PlacedTriangle& out);
// The same for a triangle already known not to be degenerate as given (the box tree
// keeps no other kind): the same result, without checking the corners again.
void placeTreeTriangle(const Placement& placement, const float* corners9, PlacedTriangle& out);

// True when the two placed triangles share at least one point (touching counts).
// Degenerate triangles never meet.
bool trianglesMeet(const PlacedTriangle& a, const PlacedTriangle& b);

}  // namespace collision
