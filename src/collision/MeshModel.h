#pragma once
// The library's one kind of collision model: a triangle list with a box tree.
#include <cstddef>
#include <vector>

#include "collision/BoxTree.h"
#include "collision/CollisionModel3D.h"
#include "collision/TriangleOverlap.h"

namespace collision {

class MeshModel final : public CollisionModel3D {
public:
    void destroy(int flag) override;
    void setTriangleCount(int n) override;
    void addTriangle(const float* p1, const float* p2, const float* p3) override;
    void addTriangle(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3) override;
    void finalize() override;
    void setTransform(const float* matrix) override;
    bool collides(CollisionModel3D* other, int accuracyDepth = -1, int maxProcessingTime = 0,
                  float* otherTransform = nullptr) override;

    // Back to the state of a new model, keeping the buffers for the next build.
    void reset();
    std::size_t retainedBytes() const;

    // Free-list link, used only while the model waits in the pool.
    MeshModel* nextFree = nullptr;
    bool pooled = false;

private:
    void appendTriangle(const float* corners9);

    std::vector<float> triangles_;  // nine floats each; leaf order after finalize
    BoxTree tree_;
    Placement placement_;
    bool transformValid_ = true;
    bool finalized_ = false;
};

// Hands a destroyed model back to the pool (or frees it when the pool is full).
void releaseModel(MeshModel* model);

}  // namespace collision
