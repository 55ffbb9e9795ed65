#pragma once
// Walks two box trees at once and tests the triangle pairs whose boxes overlap.
#include "collision/BoxTree.h"
#include "collision/TriangleOverlap.h"

namespace collision {

struct PlacedTree {
    const BoxNode* nodes;  // non-empty tree
    std::size_t nodeCount;
    const float* triangles;  // in leaf order, nine floats each
    std::size_t triangleCount;
    const Placement* placement;
};

// True when some triangle of `a` meets some triangle of `b`; stops at the first hit.
// Allocates nothing.
bool treesMeet(const PlacedTree& a, const PlacedTree& b);

}  // namespace collision
