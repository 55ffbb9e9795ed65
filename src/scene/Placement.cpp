#include "scene/Placement.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "scene/Trigonometry.h"

namespace {
constexpr float degreesToRadians = 0.017453292f;

// The steps on OpenGL's current matrix.
struct GlSteps {
    void translate(float x, float y, float z) { glTranslatef(x, y, z); }
    void rotate(float degrees, float x, float y, float z) { glRotatef(degrees, x, y, z); }
    void scale(float x, float y, float z) { glScalef(x, y, z); }
};
}  // namespace

void MatrixSteps::translate(float x, float y, float z) {
    Matrix4 step;
    step.setTranslation({x, y, z});
    matrix.postMultiply(step);
}

void MatrixSteps::rotate(float degrees, float x, float y, float z) {
    // glRotatef's matrix, about the unit axis (x, y, z).
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length == 0) return;
    x /= length;
    y /= length;
    z /= length;
    const float c = cosine(degrees * degreesToRadians), s = sine(degrees * degreesToRadians), t = 1 - c;
    Matrix4 step;
    float* m = step.m;
    m[0] = x * x * t + c, m[4] = x * y * t - z * s, m[8] = x * z * t + y * s;
    m[1] = y * x * t + z * s, m[5] = y * y * t + c, m[9] = y * z * t - x * s;
    m[2] = z * x * t - y * s, m[6] = z * y * t + x * s, m[10] = z * z * t + c;
    matrix.postMultiply(step);
}

void MatrixSteps::scale(float x, float y, float z) {
    Matrix4 step;
    step.m[0] = x;
    step.m[5] = y;
    step.m[10] = z;
    matrix.postMultiply(step);
}

PlacementScope::PlacementScope(SceneObject& object, const float* baseMatrix) {
    glPushMatrix();
    glLoadIdentity();
    if (baseMatrix) glLoadMatrixf(baseMatrix);

    GlSteps steps;
    placeObject(object, object.heightOffset(), steps);

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
