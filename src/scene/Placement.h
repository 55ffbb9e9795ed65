#pragma once
#include <memory>
#include <vector>

#include "scene/SceneObject.h"

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
