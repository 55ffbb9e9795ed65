#include "scene/ViewBounds.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

void BoundingBox::add(float x, float y, float z) {
    if (empty) {
        low = high = Vector3{x, y, z};
        empty = false;
        return;
    }
    low = Vector3{std::min(low.x, x), std::min(low.y, y), std::min(low.z, z)};
    high = Vector3{std::max(high.x, x), std::max(high.y, y), std::max(high.z, z)};
}

void BoundingBox::add(const BoundingBox& other) {
    if (other.empty) return;
    add(other.low.x, other.low.y, other.low.z);
    add(other.high.x, other.high.y, other.high.z);
}

bool BoundingBox::sphere(BoundingSphere& out) const {
    if (empty) return false;
    out.centre = Vector3{(low.x + high.x) / 2, (low.y + high.y) / 2, (low.z + high.z) / 2};
    const float dx = high.x - low.x, dy = high.y - low.y, dz = high.z - low.z;
    out.radius = std::sqrt(dx * dx + dy * dy + dz * dz) / 2;
    return true;
}

namespace {
void copyColour(float* to, const float* from) { std::memcpy(to, from, 4 * sizeof(float)); }
}  // namespace

void StateLeft::ambient(const float* colour) {
    copyColour(ambientColour, colour);
    noted |= AMBIENT;
}
void StateLeft::diffuse(const float* colour) {
    copyColour(diffuseColour, colour);
    noted |= DIFFUSE;
}
void StateLeft::specular(const float* colour) {
    copyColour(specularColour, colour);
    noted |= SPECULAR;
}
void StateLeft::emission(const float* colour) {
    copyColour(emissionColour, colour);
    noted |= EMISSION;
}
void StateLeft::shininess(float value) {
    shininessValue = value;
    noted |= SHININESS;
}
void StateLeft::normal(float x, float y, float z) {
    normalVector[0] = x;
    normalVector[1] = y;
    normalVector[2] = z;
    noted |= NORMAL;
}

void StateLeft::merge(const StateLeft& later) {
    if (later.noted & AMBIENT) ambient(later.ambientColour);
    if (later.noted & DIFFUSE) diffuse(later.diffuseColour);
    if (later.noted & SPECULAR) specular(later.specularColour);
    if (later.noted & EMISSION) emission(later.emissionColour);
    if (later.noted & SHININESS) shininess(later.shininessValue);
    if (later.noted & NORMAL) normal(later.normalVector[0], later.normalVector[1], later.normalVector[2]);
}

void StateLeft::flush() {
    if (noted == 0) return;
    if (noted & AMBIENT) glMaterialfv(GL_FRONT, GL_AMBIENT, ambientColour);
    if (noted & DIFFUSE) glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuseColour);
    if (noted & SPECULAR) glMaterialfv(GL_FRONT, GL_SPECULAR, specularColour);
    if (noted & EMISSION) glMaterialfv(GL_FRONT, GL_EMISSION, emissionColour);
    if (noted & SHININESS) glMaterialf(GL_FRONT, GL_SHININESS, shininessValue);
    if (noted & NORMAL) glNormal3fv(normalVector);
    noted = 0;
}
