#pragma once
// Small builders shared by the collision tests: owned models, triangle lists, matrices.
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "collision/CollisionModel3D.h"
#include "collision/TriangleOverlap.h"

namespace collisiontest {

struct Destroyer {
    void operator()(CollisionModel3D* model) const { model->destroy(1); }
};
using ModelPtr = std::unique_ptr<CollisionModel3D, Destroyer>;

using Triangle = std::array<float, 9>;
using Matrix = std::array<float, 16>;  // column-major OpenGL order

inline ModelPtr buildModel(const std::vector<Triangle>& triangles) {
    ModelPtr model(newCollisionModel3D(false));
    model->setTriangleCount(static_cast<int>(triangles.size()));
    for (const Triangle& t : triangles) model->addTriangle(&t[0], &t[3], &t[6]);
    model->finalize();
    return model;
}

inline Matrix identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

inline Matrix translation(float x, float y, float z) {
    Matrix m = identity();
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return m;
}

inline Matrix scaling(float x, float y, float z) {
    Matrix m = identity();
    m[0] = x;
    m[5] = y;
    m[10] = z;
    return m;
}

// Rotation by `degrees` about the unit axis (x, y, z).
inline Matrix rotation(float degrees, float x, float y, float z) {
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

inline Matrix operator*(const Matrix& a, const Matrix& b) {
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
inline std::vector<Triangle> boxTriangles(float x0, float y0, float z0, float x1, float y1, float z1) {
    const float p[8][3] = {{x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}, {x0, y1, z0},
                           {x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}};
    const int faces[6][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 5, 4}, {3, 2, 6, 7}, {0, 3, 7, 4}, {1, 2, 6, 5}};
    std::vector<Triangle> out;
    for (const auto& f : faces) {
        const int quads[2][3] = {{f[0], f[1], f[2]}, {f[0], f[2], f[3]}};
        for (const auto& q : quads) {
            out.push_back({p[q[0]][0], p[q[0]][1], p[q[0]][2], p[q[1]][0], p[q[1]][1], p[q[1]][2], p[q[2]][0],
                           p[q[2]][1], p[q[2]][2]});
        }
    }
    return out;
}

// A latitude-longitude sphere; the pole rows give degenerate triangles, as real
// exporters do.
inline std::vector<Triangle> sphereTriangles(float radius, int rings, int segments) {
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

// The triangles placed by an affine matrix, as a skinned pose bakes them.
inline std::vector<Triangle> transformed(const std::vector<Triangle>& triangles, const Matrix& m) {
    std::vector<Triangle> out(triangles.size());
    for (std::size_t t = 0; t < triangles.size(); ++t) {
        for (int i = 0; i < 9; i += 3) {
            const float x = triangles[t][i], y = triangles[t][i + 1], z = triangles[t][i + 2];
            for (int row = 0; row < 3; ++row) {
                out[t][i + row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
            }
        }
    }
    return out;
}

// A closed cylinder hanging from the origin down the y axis, as limbs are modelled.
inline std::vector<Triangle> cylinderTriangles(float radius, float length, int segments, int stacks) {
    const double pi = 3.14159265358979323846;
    auto rim = [&](int stack, int segment) {
        const double phi = 2.0 * pi * segment / segments;
        return std::array<float, 3>{float(radius * std::cos(phi)), -length * float(stack) / float(stacks),
                                    float(radius * std::sin(phi))};
    };
    std::vector<Triangle> out;
    auto add = [&out](const std::array<float, 3>& a, const std::array<float, 3>& b, const std::array<float, 3>& c) {
        out.push_back({a[0], a[1], a[2], b[0], b[1], b[2], c[0], c[1], c[2]});
    };
    for (int s = 0; s < segments; ++s) {
        for (int k = 0; k < stacks; ++k) {
            add(rim(k, s), rim(k + 1, s), rim(k + 1, s + 1));
            add(rim(k, s), rim(k + 1, s + 1), rim(k, s + 1));
        }
        add({0, 0, 0}, rim(0, s + 1), rim(0, s));
        add({0, -length, 0}, rim(stacks, s), rim(stacks, s + 1));
    }
    return out;
}

// A jointed figure of boxes and cylinders (2,064 triangles, 1.9 units tall) in a
// walking pose: a deadly object's mesh as the game rebuilds it from its bones.
inline std::vector<Triangle> figureTriangles() {
    std::vector<Triangle> out;
    auto put = [&out](const std::vector<Triangle>& part, const Matrix& at) {
        const auto placed = transformed(part, at);
        out.insert(out.end(), placed.begin(), placed.end());
    };
    auto limb = [](float radius, float length) { return cylinderTriangles(radius, length, 22, 4); };

    put(boxTriangles(-0.15f, -0.1f, -0.1f, 0.15f, 0.1f, 0.1f), translation(0, 1.0f, 0));
    const Matrix chest = translation(0, 1.1f, 0) * rotation(8, 1, 0, 0);
    put(boxTriangles(-0.2f, 0, -0.12f, 0.2f, 0.5f, 0.12f), chest);
    const Matrix neck = chest * translation(0, 0.58f, 0);
    put(limb(0.05f, 0.08f), neck);
    put(boxTriangles(-0.1f, 0, -0.1f, 0.1f, 0.22f, 0.1f), neck * rotation(-15, 0, 1, 0));

    for (const float side : {-1.0f, 1.0f}) {
        const Matrix shoulder =
            chest * translation(side * 0.26f, 0.45f, 0) * rotation(side * 35, 1, 0, 0) * rotation(side * 12, 0, 0, 1);
        put(limb(0.05f, 0.3f), shoulder);
        const Matrix elbow = shoulder * translation(0, -0.3f, 0) * rotation(-40, 1, 0, 0);
        put(limb(0.045f, 0.28f), elbow);
        put(boxTriangles(-0.04f, -0.1f, -0.03f, 0.04f, 0, 0.03f), elbow * translation(0, -0.28f, 0));

        const Matrix hip = translation(side * 0.1f, 0.95f, 0) * rotation(-side * 25, 1, 0, 0);
        put(limb(0.07f, 0.45f), hip);
        const Matrix knee = hip * translation(0, -0.45f, 0) * rotation(side < 0 ? 10.0f : 45.0f, 1, 0, 0);
        put(limb(0.06f, 0.45f), knee);
        put(boxTriangles(-0.06f, -0.05f, -0.18f, 0.06f, 0.03f, 0.06f), knee * translation(0, -0.47f, 0));
    }
    return out;
}

// All pairs, placed and tested exactly as the library does, stopping at the
// first contact: the reference the tree must agree with. The placed triangles
// of `b` live in a buffer kept between calls, so a benchmark times the tests.
inline bool bruteForce(const std::vector<Triangle>& a, const Matrix& ma, const std::vector<Triangle>& b,
                       const Matrix& mb) {
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
