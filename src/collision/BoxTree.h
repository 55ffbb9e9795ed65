#pragma once
// A bounding-box hierarchy over a model's triangles, in model space.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace collision {

constexpr int leafTriangles = 4;

// Single precision: the corners are floats, and every test that reads a box allows a
// margin far above the rounding of its centre and half sizes.
struct BoxNode {
    float center[3];
    float half[3];
    // A leaf holds `count` triangles from `first` on. An inner node has count 0; its
    // first child follows it directly and `first` is the index of its second child.
    std::uint32_t first;
    std::uint32_t count;

    bool isLeaf() const { return count != 0; }
};

struct BoxTree {
    std::vector<BoxNode> nodes;  // depth-first; empty when no triangle can collide
    int depth = 0;

    // Builds over `triangles` (nine floats each). Degenerate triangles are dropped and
    // the rest reordered so that every leaf's triangles are contiguous. Buffers are
    // kept between builds so that rebuilding a model of the same size allocates nothing.
    void build(std::vector<float>& triangles);
    void clear();
    std::size_t retainedBytes() const;

private:
    std::uint32_t buildRange(std::uint32_t begin, std::uint32_t end, int level, float* low, float* high);

    std::vector<float> bounds_;  // per triangle: low xyz, high xyz, centroid xyz
    std::vector<std::uint32_t> order_;
    std::vector<float> sorted_;
};

}  // namespace collision
