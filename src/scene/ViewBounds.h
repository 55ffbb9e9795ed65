#pragma once
#include "scene/Matrix4.h"

// A sphere that holds everything an object draws.
struct BoundingSphere {
    Vector3 centre;
    float radius = 0;
};

// An axis-aligned box grown point by point; empty until the first point.
struct BoundingBox {
    void add(float x, float y, float z);
    void add(const BoundingBox& other);
    // The sphere round the box; false when the box is empty.
    bool sphere(BoundingSphere& out) const;

    bool empty = true;
    Vector3 low;
    Vector3 high;
};

// The placement matrix of an object (placementMatrix with its height offset),
// kept while its placement fields stay as they were: most objects never move,
// and working the matrix out again for each of thousands of objects every
// frame would cost more than the drawing it saves.
struct PlacementCache {
    float key[12] = {};
    bool valid = false;
    Matrix4 matrix;
    float largestScale = 1;  // the most the matrix stretches any length
};

// The GL state that drawing leaves behind and a later draw may take over:
// the front material colours and shininess and the current normal (the water
// surface sends no normals of its own). An object left out of a frame notes
// here what its draw would have left, and the notes reach GL before the next
// draw, so that the frame's pixels do not change.
struct StateLeft {
    static constexpr unsigned AMBIENT = 1, DIFFUSE = 2, SPECULAR = 4, EMISSION = 8, SHININESS = 16, NORMAL = 32;

    void ambient(const float* colour);
    void diffuse(const float* colour);
    void specular(const float* colour);
    void emission(const float* colour);
    void shininess(float value);
    void normal(float x, float y, float z);
    // Takes over what `later` noted, as a draw after ours would leave it.
    void merge(const StateLeft& later);
    // Hands what was noted to GL and forgets it.
    void flush();

    unsigned noted = 0;
    float ambientColour[4] = {};
    float diffuseColour[4] = {};
    float specularColour[4] = {};
    float emissionColour[4] = {};
    float shininessValue = 0;
    float normalVector[3] = {};
};
