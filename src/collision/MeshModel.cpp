#include "collision/MeshModel.h"

#include <algorithm>

#include "collision/TreeDescent.h"

namespace collision {

namespace {
// The count is only a hint and may be garbage; memory follows what is really added.
constexpr std::size_t maxReservedTriangles = 1u << 16;
// Leaf indices are 32-bit.
constexpr std::size_t maxTriangles = 1u << 30;
}  // namespace

void MeshModel::destroy(int) { releaseModel(this); }

void MeshModel::setTriangleCount(int n) {
    if (n <= 0) return;
    triangles_.reserve(std::min<std::size_t>(std::size_t(n), maxReservedTriangles) * 9);
}

void MeshModel::appendTriangle(const float* c) {
    if (triangles_.size() / 9 >= maxTriangles) return;
    triangles_.insert(triangles_.end(), c, c + 9);
    // Triangles added after finalize wait for the next finalize.
    finalized_ = false;
}

void MeshModel::addTriangle(const float* p1, const float* p2, const float* p3) {
    if (!p1 || !p2 || !p3) return;
    const float c[9] = {p1[0], p1[1], p1[2], p2[0], p2[1], p2[2], p3[0], p3[1], p3[2]};
    appendTriangle(c);
}

void MeshModel::addTriangle(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3) {
    const float c[9] = {x1, y1, z1, x2, y2, z2, x3, y3, z3};
    appendTriangle(c);
}

void MeshModel::finalize() {
    tree_.build(triangles_);
    finalized_ = true;
}

void MeshModel::setTransform(const float* matrix) {
    if (!matrix) return;
    transformValid_ = isFiniteMatrix(matrix);
    if (transformValid_) placement_ = placementFromMatrix(matrix);
}

bool MeshModel::collides(CollisionModel3D* otherModel, int, int, float* otherTransform) {
    const auto* other = dynamic_cast<const MeshModel*>(otherModel);
    if (!other || other->pooled || !finalized_ || !other->finalized_) return false;
    if (!transformValid_) return false;

    Placement otherPlacement = other->placement_;
    if (otherTransform) {
        if (!isFiniteMatrix(otherTransform)) return false;
        otherPlacement = placementFromMatrix(otherTransform);
    } else if (!other->transformValid_) {
        return false;
    }
    if (tree_.nodes.empty() || other->tree_.nodes.empty()) return false;

    const PlacedTree self{tree_.nodes.data(), tree_.nodes.size(), triangles_.data(), triangles_.size() / 9,
                          &placement_};
    const PlacedTree them{other->tree_.nodes.data(), other->tree_.nodes.size(), other->triangles_.data(),
                          other->triangles_.size() / 9, &otherPlacement};
    return treesMeet(self, them);
}

void MeshModel::reset() {
    triangles_.clear();
    tree_.clear();
    placement_ = Placement{};
    transformValid_ = true;
    finalized_ = false;
}

std::size_t MeshModel::retainedBytes() const {
    return sizeof(MeshModel) + triangles_.capacity() * sizeof(float) + tree_.retainedBytes();
}

}  // namespace collision
