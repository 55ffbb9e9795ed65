#include "collision/BoxTree.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "collision/TriangleOverlap.h"

namespace collision {

namespace {
constexpr int boundsStride = 9;
}

void BoxTree::build(std::vector<float>& triangles) {
    const std::size_t triangleCount = triangles.size() / 9;
    nodes.clear();
    depth = 0;
    order_.clear();
    bounds_.resize(triangleCount * boundsStride);

    for (std::size_t t = 0; t < triangleCount; ++t) {
        const float* c = &triangles[t * 9];
        if (isDegenerateTriangle(c)) continue;
        order_.push_back(static_cast<std::uint32_t>(t));
        float* b = &bounds_[t * boundsStride];
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

    // Every leaf holds at least one triangle, so n triangles need fewer than 2n nodes.
    nodes.reserve(order_.size() * 2);
    float low[3], high[3];
    buildRange(0, static_cast<std::uint32_t>(order_.size()), 1, low, high);

    sorted_.resize(order_.size() * 9);
    for (std::size_t i = 0; i < order_.size(); ++i) {
        std::copy_n(&triangles[std::size_t(order_[i]) * 9], 9, &sorted_[i * 9]);
    }
    triangles.swap(sorted_);
}

namespace {

// Rounded outward: the stored box holds every corner exactly, so the tests that read
// it need allow only for their own rounding.
void setBox(BoxNode& node, const float* low, const float* high) {
    for (int axis = 0; axis < 3; ++axis) {
        const float center = float((double(low[axis]) + double(high[axis])) * 0.5);
        const double half = std::max(double(high[axis]) - center, center - double(low[axis]));
        float roundedHalf = float(half);
        if (double(roundedHalf) < half)
            roundedHalf = std::nextafter(roundedHalf, std::numeric_limits<float>::infinity());
        node.center[axis] = center;
        node.half[axis] = roundedHalf;
    }
}

}  // namespace

// Boxes are formed bottom-up (a parent's is the union of its children's), so the
// walk down only scans centroids.
std::uint32_t BoxTree::buildRange(std::uint32_t begin, std::uint32_t end, int level, float* low, float* high) {
    depth = std::max(depth, level);
    const auto index = static_cast<std::uint32_t>(nodes.size());
    nodes.push_back(BoxNode{});
    const float* bounds = bounds_.data();
    std::uint32_t* indices = order_.data();

    if (end - begin <= leafTriangles) {
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = bounds[std::size_t(indices[begin]) * boundsStride + axis];
            high[axis] = bounds[std::size_t(indices[begin]) * boundsStride + 3 + axis];
        }
        for (std::uint32_t i = begin + 1; i < end; ++i) {
            const float* b = &bounds[std::size_t(indices[i]) * boundsStride];
            for (int axis = 0; axis < 3; ++axis) {
                low[axis] = std::min(low[axis], b[axis]);
                high[axis] = std::max(high[axis], b[3 + axis]);
            }
        }
        BoxNode& node = nodes[index];
        setBox(node, low, high);
        node.first = begin;
        node.count = end - begin;
        return index;
    }

    float centroidLow[3], centroidHigh[3];
    for (int axis = 0; axis < 3; ++axis) {
        centroidLow[axis] = centroidHigh[axis] = bounds[std::size_t(indices[begin]) * boundsStride + 6 + axis];
    }
    for (std::uint32_t i = begin + 1; i < end; ++i) {
        const float* c = &bounds[std::size_t(indices[i]) * boundsStride + 6];
        for (int axis = 0; axis < 3; ++axis) {
            centroidLow[axis] = std::min(centroidLow[axis], c[axis]);
            centroidHigh[axis] = std::max(centroidHigh[axis], c[axis]);
        }
    }
    int splitAxis = 0;
    for (int axis = 1; axis < 3; ++axis) {
        if (centroidHigh[axis] - centroidLow[axis] > centroidHigh[splitAxis] - centroidLow[splitAxis]) {
            splitAxis = axis;
        }
    }

    // Split at the middle of the centroids along the longest axis: one pass, and good
    // boxes. When that leaves fewer than a quarter on one side, split at the median
    // instead, so the depth stays logarithmic whatever the shape.
    const auto centroid = [bounds, splitAxis](std::uint32_t t) {
        return bounds[std::size_t(t) * boundsStride + 6 + splitAxis];
    };
    const float cut = 0.5f * (centroidLow[splitAxis] + centroidHigh[splitAxis]);
    std::uint32_t middle = static_cast<std::uint32_t>(
        std::partition(indices + begin, indices + end, [&](std::uint32_t t) { return centroid(t) < cut; }) - indices);
    const std::uint32_t quarter = (end - begin) / 4;
    if (middle - begin < quarter || end - middle < quarter) {
        middle = begin + (end - begin) / 2;
        std::nth_element(indices + begin, indices + middle, indices + end,
                         [&](std::uint32_t x, std::uint32_t y) { return centroid(x) < centroid(y); });
    }

    float secondLow[3], secondHigh[3];
    buildRange(begin, middle, level + 1, low, high);
    const std::uint32_t second = buildRange(middle, end, level + 1, secondLow, secondHigh);
    for (int axis = 0; axis < 3; ++axis) {
        low[axis] = std::min(low[axis], secondLow[axis]);
        high[axis] = std::max(high[axis], secondHigh[axis]);
    }
    BoxNode& node = nodes[index];
    setBox(node, low, high);
    node.first = second;
    node.count = 0;
    return index;
}

void BoxTree::clear() {
    nodes.clear();
    depth = 0;
}

std::size_t BoxTree::retainedBytes() const {
    return nodes.capacity() * sizeof(BoxNode) + bounds_.capacity() * sizeof(float) +
           order_.capacity() * sizeof(std::uint32_t) + sorted_.capacity() * sizeof(float);
}

}  // namespace collision
