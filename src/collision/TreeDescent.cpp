#include "collision/TreeDescent.h"

#include "collision/FrameDescent.h"

#include <cmath>
#include <cstdint>

namespace collision {

namespace {

Vec3 absolute(const Vec3& v) { return {std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)}; }

Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

// Bounds every placed coordinate of a tree, per world axis.
Vec3 worldExtent(const BoxNode& root, const Placement& p) {
    Vec3 reach;
    double* out[3] = {&reach.x, &reach.y, &reach.z};
    const double t[3] = {p.translation.x, p.translation.y, p.translation.z};
    for (int row = 0; row < 3; ++row) {
        double sum = std::fabs(t[row]);
        for (int c = 0; c < 3; ++c) {
            sum += std::fabs(p.linear[row][c]) * (std::fabs(root.center[c]) + root.half[c]);
        }
        *out[row] = sum;
    }
    return reach;
}

// A node's box, placed by a general affine map, is a parallelepiped; two of them are
// disjoint exactly when one of fifteen axes separates them: the three face normals of
// each and the nine cross products of their edge directions. The axes depend only on
// the two placements, so they and the projected edge lengths are set up once per test.
class BoxPairTest {
public:
    BoxPairTest(const PlacedTree& a, const PlacedTree& b) {
        Vec3 edgeA[3], edgeB[3];
        for (int k = 0; k < 3; ++k) {
            edgeA[k] = a.placement->column(k);
            edgeB[k] = b.placement->column(k);
            lengthA_[k] = std::sqrt(dot(edgeA[k], edgeA[k]));
            lengthB_[k] = std::sqrt(dot(edgeB[k], edgeB[k]));
        }
        int n = 0;
        for (int k = 0; k < 3; ++k) axis_[n++] = cross(edgeA[(k + 1) % 3], edgeA[(k + 2) % 3]);
        for (int k = 0; k < 3; ++k) axis_[n++] = cross(edgeB[(k + 1) % 3], edgeB[(k + 2) % 3]);
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) axis_[n++] = cross(edgeA[i], edgeB[j]);
        }

        // Rounding in the placed centres and projections is far below this margin,
        // so a box pair is never dropped while its triangles might still touch.
        const Vec3 scene = worldExtent(a.nodes[0], *a.placement) + worldExtent(b.nodes[0], *b.placement);
        for (int i = 0; i < axisCount; ++i) {
            for (int k = 0; k < 3; ++k) {
                reachA_[i][k] = std::fabs(dot(axis_[i], edgeA[k]));
                reachB_[i][k] = std::fabs(dot(axis_[i], edgeB[k]));
            }
            margin_[i] = 1e-9 * dot(absolute(axis_[i]), scene);
        }
    }

    bool separated(const BoxNode& a, const Vec3& centerA, const BoxNode& b, const Vec3& centerB) const {
        const Vec3 d = centerB - centerA;
        for (int i = 0; i < axisCount; ++i) {
            const double reach = reachA_[i][0] * a.half[0] + reachA_[i][1] * a.half[1] + reachA_[i][2] * a.half[2] +
                                 reachB_[i][0] * b.half[0] + reachB_[i][1] * b.half[1] + reachB_[i][2] * b.half[2];
            if (std::fabs(dot(axis_[i], d)) > reach + margin_[i]) return true;
        }
        return false;
    }

    double sizeA(const BoxNode& node) const { return size(node, lengthA_); }
    double sizeB(const BoxNode& node) const { return size(node, lengthB_); }

private:
    static constexpr int axisCount = 15;

    static double size(const BoxNode& node, const double* length) {
        return node.half[0] * length[0] + node.half[1] * length[1] + node.half[2] * length[2];
    }

    Vec3 axis_[axisCount];
    double reachA_[axisCount][3];
    double reachB_[axisCount][3];
    double margin_[axisCount];
    double lengthA_[3];
    double lengthB_[3];
};

Vec3 placedCenter(const BoxNode& node, const Placement& p) {
    return p.apply(node.center[0], node.center[1], node.center[2]);
}

bool leavesMeet(const PlacedTree& a, const BoxNode& leafA, const PlacedTree& b, const BoxNode& leafB) {
    PlacedTriangle placedA[leafTriangles];
    PlacedTriangle placedB[leafTriangles];
    for (std::uint32_t i = 0; i < leafA.count; ++i) {
        placeTreeTriangle(*a.placement, a.triangles + std::size_t(leafA.first + i) * 9, placedA[i]);
    }
    for (std::uint32_t j = 0; j < leafB.count; ++j) {
        placeTreeTriangle(*b.placement, b.triangles + std::size_t(leafB.first + j) * 9, placedB[j]);
    }
    for (std::uint32_t i = 0; i < leafA.count; ++i) {
        for (std::uint32_t j = 0; j < leafB.count; ++j) {
            if (trianglesMeet(placedA[i], placedB[j])) return true;
        }
    }
    return false;
}

struct NodePair {
    std::uint32_t a, b;
};

// The descent for placements that cannot be inverted safely (flattening or nearly
// flattening scales): both trees are placed in world space.
bool treesMeetInWorld(const PlacedTree& a, const PlacedTree& b) {
    const BoxPairTest boxes(a, b);

    // Each step replaces a pair by at most two pairs one level deeper, so the stack
    // never holds more than the two depths together. A split leaves at least a quarter
    // on each side, so a tree of at most 2^30 triangles is less than 72 levels deep.
    constexpr int stackSize = 256;
    NodePair stack[stackSize];
    int top = 0;
    stack[top++] = {0, 0};

    while (top > 0) {
        const NodePair pair = stack[--top];
        const BoxNode& nodeA = a.nodes[pair.a];
        const BoxNode& nodeB = b.nodes[pair.b];
        if (boxes.separated(nodeA, placedCenter(nodeA, *a.placement), nodeB, placedCenter(nodeB, *b.placement))) {
            continue;
        }
        if (nodeA.isLeaf() && nodeB.isLeaf()) {
            if (leavesMeet(a, nodeA, b, nodeB)) return true;
            continue;
        }
        // Split the larger box: its children shrink the test the most.
        const bool splitA = !nodeA.isLeaf() && (nodeB.isLeaf() || boxes.sizeA(nodeA) >= boxes.sizeB(nodeB));
        if (top + 2 > stackSize) return false;  // unreachable with the depths above
        if (splitA) {
            stack[top++] = {nodeA.first, pair.b};
            stack[top++] = {pair.a + 1, pair.b};
        } else {
            stack[top++] = {pair.a, nodeB.first};
            stack[top++] = {pair.a, pair.b + 1};
        }
    }
    return false;
}

}  // namespace

bool treesMeet(const PlacedTree& a, const PlacedTree& b) {
    // The frame is the larger tree's own model space, so its boxes need no placing.
    const bool aFirst = a.nodeCount >= b.nodeCount;
    const PlacedTree& large = aFirst ? a : b;
    const PlacedTree& small = aFirst ? b : a;
    RelativePlacement relative;
    if (relativePlacement(large, small, relative)) {
        return treesMeetInFrame(large, small, relative, !aFirst);
    }
    if (relativePlacement(small, large, relative)) {
        return treesMeetInFrame(small, large, relative, aFirst);
    }
    return treesMeetInWorld(a, b);
}

}  // namespace collision
