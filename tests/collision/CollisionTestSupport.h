#pragma once
// Small builders shared by the collision tests: owned models, triangle lists, matrices.
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "collision/CollisionModel3D.h"
#include "collision/TriangleTest.h"

namespace collisiontest {

struct Destroyer {
    void operator()(CollisionModel3D* model) const { model->destroy(1); }
};
using ModelPtr = std::unique_ptr<CollisionModel3D, Destroyer>;

using Triangle = std::array<float, 9>;
using Matrix = std::array<float, 16>;  // column-major OpenGL order

inline ModelPtr buildModel(const std::vector<Triangle>& triangles)
{
    ModelPtr model(newCollisionModel3D(false));
    model->setTriangleCount(static_cast<int>(triangles.size()));
    for (const Triangle& t : triangles) model->addTriangle(&t[0], &t[3], &t[6]);
    model->finalize();
    return model;
}

inline Matrix identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

inline Matrix translation(float x, float y, float z)
{
    Matrix m = identity();
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return m;
}

inline Matrix scaling(float x, float y, float z)
{
    Matrix m = identity();
    m[0] = x;
    m[5] = y;
    m[10] = z;
    return m;
}

// Rotation by `degrees` about the unit axis (x, y, z).
inline Matrix rotation(float degrees, float x, float y, float z)
{
    const double a = degrees * 3.14159265358979323846 / 180.0;
    const double c = std::cos(a), s = std::sin(a), t = 1.0 - c;
    Matrix m = identity();
    m[0] = float(t * x * x + c);
    m[1] = float(t * x * y + s * z);
    m[2] = float(t * x * z - s * y);
    m[4] = float(t * x * y - s * z);
    m[5] = float(t * y * y + c);
    m[6] = float(t * y * z + s * x);
    m[8] = float(t * x * z + s * y);
    m[9] = float(t * y * z - s * x);
    m[10] = float(t * z * z + c);
    return m;
}

inline Matrix operator*(const Matrix& a, const Matrix& b)
{
    Matrix r{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
            r[column * 4 + row] = sum;
        }
    }
    return r;
}

// The 12 triangles of the axis-aligned box from (x0, y0, z0) to (x1, y1, z1).
inline std::vector<Triangle> boxTriangles(float x0, float y0, float z0, float x1, float y1, float z1)
{
    const float p[8][3] = {{x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}, {x0, y1, z0},
                           {x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}};
    const int faces[6][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 5, 4},
                             {3, 2, 6, 7}, {0, 3, 7, 4}, {1, 2, 6, 5}};
    std::vector<Triangle> out;
    for (const auto& f : faces) {
        const int quads[2][3] = {{f[0], f[1], f[2]}, {f[0], f[2], f[3]}};
        for (const auto& q : quads) {
            out.push_back({p[q[0]][0], p[q[0]][1], p[q[0]][2], p[q[1]][0], p[q[1]][1], p[q[1]][2],
                           p[q[2]][0], p[q[2]][1], p[q[2]][2]});
        }
    }
    return out;
}

// A latitude-longitude sphere; the pole rows give degenerate triangles, as real
// exporters do.
inline std::vector<Triangle> sphereTriangles(float radius, int rings, int segments)
{
    const double pi = 3.14159265358979323846;
    auto point = [&](int ring, int segment, float* out) {
        const double theta = pi * ring / rings, phi = 2.0 * pi * segment / segments;
        out[0] = float(radius * std::sin(theta) * std::cos(phi));
        out[1] = float(radius * std::cos(theta));
        out[2] = float(radius * std::sin(theta) * std::sin(phi));
    };
    std::vector<Triangle> out;
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            Triangle a{}, b{};
            point(r, s, &a[0]);
            point(r + 1, s, &a[3]);
            point(r + 1, s + 1, &a[6]);
            point(r, s, &b[0]);
            point(r + 1, s + 1, &b[3]);
            point(r, s + 1, &b[6]);
            out.push_back(a);
            out.push_back(b);
        }
    }
    return out;
}

// All pairs, placed and tested exactly as the library does, stopping at the
// first contact: the reference the tree must agree with. The placed triangles
// of `b` live in a buffer kept between calls, so a benchmark times the tests.
inline bool bruteForce(const std::vector<Triangle>& a, const Matrix& ma, const std::vector<Triangle>& b,
                       const Matrix& mb)
{
    const collision::Placement pa = collision::placementFromMatrix(ma.data());
    const collision::Placement pb = collision::placementFromMatrix(mb.data());
    static std::vector<collision::PlacedTriangle> placedB;
    placedB.resize(b.size());
    for (std::size_t j = 0; j < b.size(); ++j) collision::placeTriangle(pb, b[j].data(), placedB[j]);
    for (const Triangle& t : a) {
        collision::PlacedTriangle placedA;
        collision::placeTriangle(pa, t.data(), placedA);
        for (const auto& other : placedB) {
            if (collision::trianglesMeet(placedA, other)) return true;
        }
    }
    return false;
}

}  // namespace collisiontest
