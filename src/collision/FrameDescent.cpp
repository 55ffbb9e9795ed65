#include "collision/FrameDescent.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace collision {

namespace {

// Below this condition number (Frobenius norms) world rounding, carried into the
// frame, stays far under the margin.
constexpr double maxCondition = 1e6;
// A model of at most this many triangles (the player's box) is never split: its
// triangles are cached and tested as one run. Also the size of that cache.
constexpr std::uint32_t cacheSlots = 16;
// Within this reach a triangle normal times a coordinate (a cubed length) stays far
// inside single precision; larger scenes take the world descent.
constexpr double maxReach = 1e12;
// Boxes are compared with this share of the scene's extent to spare: far above the
// rounding of single-precision arithmetic, far below any gap that matters.
constexpr double marginShare = 1e-5;

}  // namespace

bool relativePlacement(const PlacedTree& frameTree, const PlacedTree& otherTree, RelativePlacement& out) {
    const Placement& frame = *frameTree.placement;
    const Placement& other = *otherTree.placement;
    const auto& m = frame.linear;
    const Vec3 r0{m[0][0], m[0][1], m[0][2]}, r1{m[1][0], m[1][1], m[1][2]}, r2{m[2][0], m[2][1], m[2][2]};
    const Vec3 adjugate[3] = {cross(r1, r2), cross(r2, r0), cross(r0, r1)};  // its columns
    const double determinant = dot(r0, adjugate[0]);
    if (!std::isfinite(determinant) || determinant == 0.0) return false;

    double inverse[3][3];
    double normSquared = 0.0, inverseNormSquared = 0.0;
    for (int c = 0; c < 3; ++c) {
        const double column[3] = {adjugate[c].x, adjugate[c].y, adjugate[c].z};
        for (int r = 0; r < 3; ++r) {
            inverse[r][c] = column[r] / determinant;
            inverseNormSquared += inverse[r][c] * inverse[r][c];
            normSquared += m[r][c] * m[r][c];
        }
    }
    if (!(std::sqrt(normSquared * inverseNormSquared) <= maxCondition)) return false;

    const double shift[3] = {other.translation.x - frame.translation.x, other.translation.y - frame.translation.y,
                             other.translation.z - frame.translation.z};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            out.linear[r][c] = inverse[r][0] * other.linear[0][c] + inverse[r][1] * other.linear[1][c] +
                               inverse[r][2] * other.linear[2][c];
            if (!std::isfinite(out.linear[r][c])) return false;
        }
        out.translation[r] = inverse[r][0] * shift[0] + inverse[r][1] * shift[1] + inverse[r][2] * shift[2];
        if (!std::isfinite(out.translation[r])) return false;
    }

    // Every coordinate the frame tests handle, the mapping's intermediate sums
    // included, is within this reach of the frame's origin. The placements' own
    // translations count too: the exact test rounds in the world, far from the
    // origin when the models are, and that rounding must stay under the margin.
    const BoxNode& frameRoot = frameTree.nodes[0];
    const BoxNode& otherRoot = otherTree.nodes[0];
    out.reach = std::sqrt(inverseNormSquared) *
                (std::fabs(frame.translation.x) + std::fabs(frame.translation.y) + std::fabs(frame.translation.z) +
                 std::fabs(other.translation.x) + std::fabs(other.translation.y) + std::fabs(other.translation.z));
    for (int r = 0; r < 3; ++r) {
        out.reach = std::max(out.reach, std::fabs(double(frameRoot.center[r])) + frameRoot.half[r]);
        double mapped = std::fabs(out.translation[r]);
        for (int c = 0; c < 3; ++c) {
            mapped += std::fabs(out.linear[r][c]) * (std::fabs(double(otherRoot.center[c])) + otherRoot.half[c]);
        }
        out.reach = std::max(out.reach, mapped);
    }
    return out.reach <= maxReach;
}

namespace {

// The three corners (relative to the box centre) projected on `axis` lie beyond `reach`.
bool projectedApart(const float* axis, const float r[3][3], float reach) {
    const float p0 = axis[0] * r[0][0] + axis[1] * r[0][1] + axis[2] * r[0][2];
    const float p1 = axis[0] * r[1][0] + axis[1] * r[1][1] + axis[2] * r[1][2];
    const float p2 = axis[0] * r[2][0] + axis[1] * r[2][1] + axis[2] * r[2][2];
    return std::min({p0, p1, p2}) > reach || std::max({p0, p1, p2}) < -reach;
}

void normalOf(const float* c, float* out) {
    const float e1[3] = {c[3] - c[0], c[4] - c[1], c[5] - c[2]};
    const float e2[3] = {c[6] - c[0], c[7] - c[1], c[8] - c[2]};
    out[0] = e1[1] * e2[2] - e1[2] * e2[1];
    out[1] = e1[2] * e2[0] - e1[0] * e2[2];
    out[2] = e1[0] * e2[1] - e1[1] * e2[0];
}

// A frame box (axis-aligned) against an other box (a parallelepiped once mapped):
// apart when the frame's three axes or the other's three face normals separate them.
// The nine edge-edge axes are left out; they rarely separate what these six do not,
// and the triangle test decides anyway.
class FrameBoxTest {
public:
    explicit FrameBoxTest(const RelativePlacement& relative) {
        Vec3 column[3];
        for (int c = 0; c < 3; ++c) {
            column[c] = {relative.linear[0][c], relative.linear[1][c], relative.linear[2][c]};
            length_[c] = float(std::sqrt(dot(column[c], column[c])));
        }
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                linear_[r][c] = float(relative.linear[r][c]);
                absLinear_[r][c] = std::fabs(linear_[r][c]);
            }
            translation_[r] = float(relative.translation[r]);
        }
        for (int k = 0; k < 3; ++k) {
            const Vec3 normal = cross(column[(k + 1) % 3], column[(k + 2) % 3]);
            const double n[3] = {normal.x, normal.y, normal.z};
            for (int i = 0; i < 3; ++i) {
                normal_[k][i] = float(n[i]);
                absNormal_[k][i] = std::fabs(normal_[k][i]);
                normalReach_[k][i] = float(std::fabs(dot(normal, column[i])));
            }
        }

        margin_ = float(marginShare * relative.reach);
    }

    void map(const float* p, float* out) const {
        for (int r = 0; r < 3; ++r) {
            out[r] = linear_[r][0] * p[0] + linear_[r][1] * p[1] + linear_[r][2] * p[2] + translation_[r];
        }
    }

    bool separated(const BoxNode& a, const BoxNode& b, const float* bCenter) const {
        float d[3], grown[3];
        for (int i = 0; i < 3; ++i) {
            d[i] = bCenter[i] - a.center[i];
            grown[i] = a.half[i] + margin_;
        }
        for (int i = 0; i < 3; ++i) {
            const float reach =
                grown[i] + absLinear_[i][0] * b.half[0] + absLinear_[i][1] * b.half[1] + absLinear_[i][2] * b.half[2];
            if (std::fabs(d[i]) > reach) return true;
        }
        for (int k = 0; k < 3; ++k) {
            const float along = normal_[k][0] * d[0] + normal_[k][1] * d[1] + normal_[k][2] * d[2];
            const float reach = absNormal_[k][0] * grown[0] + absNormal_[k][1] * grown[1] +
                                absNormal_[k][2] * grown[2] + normalReach_[k][0] * b.half[0] +
                                normalReach_[k][1] * b.half[1] + normalReach_[k][2] * b.half[2];
            if (std::fabs(along) > reach) return true;
        }
        return false;
    }

    // A frame triangle against the other box, along the frame's axes, the box's face
    // normals and the triangle's normal; the triangle is grown by the margin.
    bool triangleApart(const float* c, const BoxNode& b, const float* bCenter) const {
        float r[3][3];
        for (int k = 0; k < 3; ++k) {
            for (int i = 0; i < 3; ++i) r[k][i] = c[3 * k + i] - bCenter[i];
        }
        for (int i = 0; i < 3; ++i) {
            const float reach =
                margin_ + absLinear_[i][0] * b.half[0] + absLinear_[i][1] * b.half[1] + absLinear_[i][2] * b.half[2];
            if (std::min({r[0][i], r[1][i], r[2][i]}) > reach || std::max({r[0][i], r[1][i], r[2][i]}) < -reach) {
                return true;
            }
        }
        for (int k = 0; k < 3; ++k) {
            const float* n = normal_[k];
            const float reach = margin_ * (absNormal_[k][0] + absNormal_[k][1] + absNormal_[k][2]) +
                                normalReach_[k][0] * b.half[0] + normalReach_[k][1] * b.half[1] +
                                normalReach_[k][2] * b.half[2];
            if (projectedApart(n, r, reach)) return true;
        }
        float n[3];
        normalOf(&r[0][0], n);
        float reach = margin_ * (std::fabs(n[0]) + std::fabs(n[1]) + std::fabs(n[2]));
        for (int j = 0; j < 3; ++j) {
            reach += std::fabs(n[0] * linear_[0][j] + n[1] * linear_[1][j] + n[2] * linear_[2][j]) * b.half[j];
        }
        return projectedApart(n, r, reach);
    }

    float frameSize(const BoxNode& a) const { return a.half[0] + a.half[1] + a.half[2]; }
    float otherSize(const BoxNode& b) const {
        return length_[0] * b.half[0] + length_[1] * b.half[1] + length_[2] * b.half[2];
    }
    float margin() const { return margin_; }

private:
    float linear_[3][3];
    float absLinear_[3][3];
    float translation_[3];
    float normal_[3][3];  // face normals of the mapped boxes, not normalised
    float absNormal_[3][3];
    float normalReach_[3][3];  // |normal k . mapped edge i|
    float length_[3];
    float margin_;
};

struct Bounds {
    float low[3], high[3];
};

bool boundsApart(const Bounds& a, const Bounds& b) {
    for (int i = 0; i < 3; ++i) {
        if (a.high[i] < b.low[i] || b.high[i] < a.low[i]) return true;
    }
    return false;
}

Bounds cornerBounds(const float* c, float grow) {
    Bounds out;
    for (int i = 0; i < 3; ++i) {
        out.low[i] = std::min({c[i], c[3 + i], c[6 + i]}) - grow;
        out.high[i] = std::max({c[i], c[3 + i], c[6 + i]}) + grow;
    }
    return out;
}

// Both triangles' corners projected on `axis` leave a gap wider than `tolerance`.
// Every corner is projected, so a normal rounded off true is still a fair axis.
bool cornersApart(const float* axis, const float* a, const float* b, float tolerance) {
    float aLow = axis[0] * a[0] + axis[1] * a[1] + axis[2] * a[2];
    float bLow = axis[0] * b[0] + axis[1] * b[1] + axis[2] * b[2];
    float aHigh = aLow, bHigh = bLow;
    for (int k = 1; k < 3; ++k) {
        const float pa = axis[0] * a[3 * k] + axis[1] * a[3 * k + 1] + axis[2] * a[3 * k + 2];
        const float pb = axis[0] * b[3 * k] + axis[1] * b[3 * k + 1] + axis[2] * b[3 * k + 2];
        aLow = std::min(aLow, pa);
        aHigh = std::max(aHigh, pa);
        bLow = std::min(bLow, pb);
        bHigh = std::max(bHigh, pb);
    }
    return aHigh + tolerance < bLow || bHigh + tolerance < aLow;
}

// Tests the triangles of a frame leaf against a run of the other tree's triangles.
// A frame triangle that misses the other node's box misses all its triangles; the
// other triangles, mapped into the frame and placed in the world, are kept in a small
// cache, so that a model of a few triangles (the player's box) is mapped and placed
// once per test however many leaves it meets.
class LeafTest {
public:
    LeafTest(const PlacedTree& frame, const PlacedTree& other, const FrameBoxTest& boxes, bool frameIsSecond)
        : frame_(frame), other_(other), boxes_(boxes), frameIsSecond_(frameIsSecond) {
        std::fill(std::begin(tag_), std::end(tag_), noTriangle);
    }

    bool meet(const BoxNode& frameLeaf, const BoxNode& otherBox, const float* otherCenter, std::uint32_t otherFirst,
              std::uint32_t otherCount) {
        for (std::uint32_t i = 0; i < frameLeaf.count; ++i) {
            const float* c = frame_.triangles + std::size_t(frameLeaf.first + i) * 9;
            if (boxes_.triangleApart(c, otherBox, otherCenter)) continue;
            const Bounds bounds = cornerBounds(c, 0.0f);
            float normal[3];
            normalOf(c, normal);
            const float tolerance =
                2.0f * boxes_.margin() * (std::fabs(normal[0]) + std::fabs(normal[1]) + std::fabs(normal[2]));
            PlacedTriangle placed;
            bool isPlaced = false;
            for (std::uint32_t j = otherFirst; j < otherFirst + otherCount; ++j) {
                Entry& entry = lookUp(j);
                if (boundsApart(bounds, entry.bounds)) continue;
                // The two planes first, in the frame: most near misses end here.
                if (cornersApart(normal, c, entry.corners, tolerance) ||
                    cornersApart(entry.normal, c, entry.corners, entry.tolerance)) {
                    continue;
                }
                if (!isPlaced) {
                    placeTreeTriangle(*frame_.placement, c, placed);
                    isPlaced = true;
                }
                if (!entry.isPlaced) {
                    placeTreeTriangle(*other_.placement, other_.triangles + std::size_t(j) * 9, entry.placed);
                    entry.isPlaced = true;
                }
                if (frameIsSecond_ ? trianglesMeet(entry.placed, placed) : trianglesMeet(placed, entry.placed)) {
                    return true;
                }
            }
        }
        return false;
    }

private:
    struct Entry {
        float corners[9];  // in the frame
        float normal[3];
        float tolerance;  // the margin, scaled to the normal
        Bounds bounds;    // grown by the margin
        bool isPlaced;
        PlacedTriangle placed;
    };

    Entry& lookUp(std::uint32_t triangle) {
        const std::uint32_t slot = triangle % cacheSlots;
        Entry& entry = entries_[slot];
        if (tag_[slot] != triangle) {
            tag_[slot] = triangle;
            const float* c = other_.triangles + std::size_t(triangle) * 9;
            for (int k = 0; k < 3; ++k) boxes_.map(c + 3 * k, entry.corners + 3 * k);
            entry.bounds = cornerBounds(entry.corners, boxes_.margin());
            normalOf(entry.corners, entry.normal);
            entry.tolerance = 2.0f * boxes_.margin() *
                              (std::fabs(entry.normal[0]) + std::fabs(entry.normal[1]) + std::fabs(entry.normal[2]));
            entry.isPlaced = false;
        }
        return entry;
    }

    static constexpr std::uint32_t noTriangle = 0xffffffffu;

    const PlacedTree& frame_;
    const PlacedTree& other_;
    const FrameBoxTest& boxes_;
    bool frameIsSecond_;
    std::uint32_t tag_[cacheSlots];
    Entry entries_[cacheSlots];
};

struct NodePair {
    std::uint32_t frame, other;
    float otherCenter[3];  // the other node's centre in the frame
};

float distanceSquared(const float* a, const float* b) {
    const float x = a[0] - b[0], y = a[1] - b[1], z = a[2] - b[2];
    return x * x + y * y + z * z;
}

}  // namespace

bool treesMeetInFrame(const PlacedTree& frame, const PlacedTree& other, const RelativePlacement& relative,
                      bool frameIsSecond) {
    const FrameBoxTest boxes(relative);
    LeafTest leaves(frame, other, boxes, frameIsSecond);
    const bool otherWhole = other.triangleCount <= cacheSlots;

    // As in the world descent: the stack never holds more than the two depths together.
    constexpr int stackSize = 256;
    NodePair stack[stackSize];
    int top = 0;
    stack[top] = {0, 0, {}};
    boxes.map(other.nodes[0].center, stack[top].otherCenter);
    ++top;

    while (top > 0) {
        const NodePair pair = stack[--top];
        const BoxNode& a = frame.nodes[pair.frame];
        const BoxNode& b = other.nodes[pair.other];
        if (boxes.separated(a, b, pair.otherCenter)) continue;
        if (a.isLeaf() && (b.isLeaf() || otherWhole)) {
            const std::uint32_t first = b.isLeaf() ? b.first : 0;
            const std::uint32_t count = b.isLeaf() ? b.count : std::uint32_t(other.triangleCount);
            if (leaves.meet(a, b, pair.otherCenter, first, count)) return true;
            continue;
        }
        if (top + 2 > stackSize) return false;  // unreachable with the depths above

        // Split the larger box, and look first where the other box is nearer: in
        // contact that finds the touching pair sooner.
        const bool splitFrame = !a.isLeaf() && (b.isLeaf() || otherWhole || boxes.frameSize(a) >= boxes.otherSize(b));
        if (splitFrame) {
            NodePair near{pair.frame + 1, pair.other, {pair.otherCenter[0], pair.otherCenter[1], pair.otherCenter[2]}};
            NodePair far = near;
            far.frame = a.first;
            if (distanceSquared(frame.nodes[far.frame].center, pair.otherCenter) <
                distanceSquared(frame.nodes[near.frame].center, pair.otherCenter)) {
                std::swap(near, far);
            }
            stack[top++] = far;
            stack[top++] = near;
        } else {
            NodePair near{pair.frame, pair.other + 1, {}};
            NodePair far{pair.frame, b.first, {}};
            boxes.map(other.nodes[near.other].center, near.otherCenter);
            boxes.map(other.nodes[far.other].center, far.otherCenter);
            if (distanceSquared(far.otherCenter, a.center) < distanceSquared(near.otherCenter, a.center)) {
                std::swap(near, far);
            }
            stack[top++] = far;
            stack[top++] = near;
        }
    }
    return false;
}

}  // namespace collision
