#include "collision/BoxTree.h"

#include <algorithm>

#include "collision/TriangleTest.h"

namespace collision {

namespace {
constexpr int kBoundsStride = 9;
}

void BoxTree::build(std::vector<float>& triangles)
{
    const std::size_t triangleCount = triangles.size() / 9;
    nodes.clear();
    depth = 0;
    order_.clear();
    bounds_.resize(triangleCount * kBoundsStride);

    for (std::size_t t = 0; t < triangleCount; ++t) {
        const float* c = &triangles[t * 9];
        if (isDegenerateTriangle(c)) continue;
        order_.push_back(static_cast<std::uint32_t>(t));
        float* b = &bounds_[t * kBoundsStride];
        for (int axis = 0; axis < 3; ++axis) {
            const float v0 = c[axis], v1 = c[3 + axis], v2 = c[6 + axis];
            b[axis] = std::min({v0, v1, v2});
            b[3 + axis] = std::max({v0, v1, v2});
            b[6 + axis] = (v0 + v1 + v2) / 3.0f;
        }
    }
    if (order_.empty()) {
        triangles.clear();
        return;
    }

    // Median splits leave at least two triangles per leaf, so n triangles need fewer
    // than n nodes.
    nodes.reserve(order_.size());
    buildRange(0, static_cast<std::uint32_t>(order_.size()), 1);

    sorted_.resize(order_.size() * 9);
    for (std::size_t i = 0; i < order_.size(); ++i) {
        std::copy_n(&triangles[std::size_t(order_[i]) * 9], 9, &sorted_[i * 9]);
    }
    triangles.swap(sorted_);
}

std::uint32_t BoxTree::buildRange(std::uint32_t begin, std::uint32_t end, int level)
{
    depth = std::max(depth, level);
    const auto index = static_cast<std::uint32_t>(nodes.size());
    nodes.push_back(BoxNode{});

    float low[3], high[3], centroidLow[3], centroidHigh[3];
    for (int axis = 0; axis < 3; ++axis) {
        const float* b = &bounds_[std::size_t(order_[begin]) * kBoundsStride];
        low[axis] = b[axis];
        high[axis] = b[3 + axis];
        centroidLow[axis] = centroidHigh[axis] = b[6 + axis];
    }
    for (std::uint32_t i = begin + 1; i < end; ++i) {
        const float* b = &bounds_[std::size_t(order_[i]) * kBoundsStride];
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], b[axis]);
            high[axis] = std::max(high[axis], b[3 + axis]);
            centroidLow[axis] = std::min(centroidLow[axis], b[6 + axis]);
            centroidHigh[axis] = std::max(centroidHigh[axis], b[6 + axis]);
        }
    }
    BoxNode& node = nodes[index];
    for (int axis = 0; axis < 3; ++axis) {
        node.center[axis] = (double(low[axis]) + double(high[axis])) * 0.5;
        node.half[axis] = (double(high[axis]) - double(low[axis])) * 0.5;
    }

    if (end - begin <= kLeafTriangles) {
        node.first = begin;
        node.count = end - begin;
        return index;
    }

    int splitAxis = 0;
    for (int axis = 1; axis < 3; ++axis) {
        if (centroidHigh[axis] - centroidLow[axis] > centroidHigh[splitAxis] - centroidLow[splitAxis]) {
            splitAxis = axis;
        }
    }
    // Splitting at the median keeps the depth logarithmic whatever the shape.
    const std::uint32_t middle = begin + (end - begin) / 2;
    const float* bounds = bounds_.data();
    std::nth_element(order_.begin() + begin, order_.begin() + middle, order_.begin() + end,
                     [bounds, splitAxis](std::uint32_t x, std::uint32_t y) {
                         return bounds[std::size_t(x) * kBoundsStride + 6 + splitAxis] <
                                bounds[std::size_t(y) * kBoundsStride + 6 + splitAxis];
                     });
    buildRange(begin, middle, level + 1);
    const std::uint32_t second = buildRange(middle, end, level + 1);
    nodes[index].first = second;
    nodes[index].count = 0;
    return index;
}

void BoxTree::clear()
{
    nodes.clear();
    depth = 0;
}

std::size_t BoxTree::retainedBytes() const
{
    return nodes.capacity() * sizeof(BoxNode) + bounds_.capacity() * sizeof(float) +
           order_.capacity() * sizeof(std::uint32_t) + sorted_.capacity() * sizeof(float);
}

}  // namespace collision
