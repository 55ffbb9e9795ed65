#pragma once
// The usual descent: the smaller tree is carried into the larger tree's model space,
// where the larger tree's boxes stay axis-aligned and need no placing. Culling there
// is conservative; the triangle pairs that survive it are tested in world space with
// the exact test, so the answers are those of the brute-force check.
#include "collision/TreeDescent.h"

namespace collision {

// Maps the other tree's model space into the frame tree's: x -> linear x + translation.
struct RelativePlacement {
    double linear[3][3];  // [row][column]
    double translation[3];
    double reach;  // bounds every coordinate of both trees in the frame
};

// False when the frame's placement is singular, or so close to it that points mapped
// into its model space would lose the precision the culling margin allows for, or
// when the coordinates are too large for single precision.
bool relativePlacement(const PlacedTree& frame, const PlacedTree& other, RelativePlacement& out);

// `frameIsSecond` keeps the argument order of the exact test that of the caller's
// call, whichever tree serves as the frame. Allocates nothing.
bool treesMeetInFrame(const PlacedTree& frame, const PlacedTree& other, const RelativePlacement& relative,
                      bool frameIsSecond);

}  // namespace collision
