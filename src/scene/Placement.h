#pragma once
#include <memory>
#include <vector>

#include "scene/Matrix4.h"
#include "scene/SceneObject.h"

// Where an object stands, as the one sequence of steps that the drawing (on
// OpenGL's matrix stack) and zarnoth-check (on a Matrix4) both follow: forward
// to position + pivot, raised by `heightOffset`; turn about x, then about y;
// back by the pivot; scale. `Placed` is a SceneObject or a block read from a
// level file: anything with position, pivot, rotationX, rotationY and scale.
// rotationZ is read from the files but never applied.
template <typename Placed, typename Steps>
void placeObject(const Placed& object, float heightOffset, Steps& steps) {
    const Vector3& p = object.position;
    const Vector3& pivot = object.pivot;
    steps.translate(p.x + pivot.x, p.y + pivot.y + heightOffset, p.z + pivot.z);
    steps.rotate(object.rotationX, 1, 0, 0);
    steps.rotate(object.rotationY, 0, 1, 0);
    steps.translate(-pivot.x, -pivot.y, -pivot.z);
    steps.scale(object.scale.x, object.scale.y, object.scale.z);
}

// The steps multiplied into a matrix without OpenGL, as glTranslatef,
// glRotatef and glScalef would (up to rounding).
struct MatrixSteps {
    void translate(float x, float y, float z);
    void rotate(float degrees, float x, float y, float z);
    void scale(float x, float y, float z);

    Matrix4 matrix;
};

// An object's placement computed without OpenGL, with no height offset.
template <typename Placed>
Matrix4 placementMatrix(const Placed& object) {
    MatrixSteps steps;
    placeObject(object, 0, steps);
    return steps.matrix;
}

// Opens every draw: pushes the modelview matrix, places the object and stores
// the result in object.modelViewMatrix; the destructor pops the matrix again,
// so the geometry is drawn while the scope lives.
class PlacementScope {
public:
    PlacementScope(SceneObject& object, const float* baseMatrix);
    ~PlacementScope();
    PlacementScope(const PlacementScope&) = delete;
    PlacementScope& operator=(const PlacementScope&) = delete;
};

// Distance on the ground plane (x, z) from the player at (px, pz).
float groundDistance(const SceneObject& object, float px, float pz);

// Refreshes distanceToPlayer of every object and orders them farthest first.
// An unusable distance (from a position read as "nan") counts as infinitely
// far, so the order stays well defined; equal distances keep their order.
void sortFarthestFirst(std::vector<std::unique_ptr<SceneObject>>& objects, float px, float pz);
