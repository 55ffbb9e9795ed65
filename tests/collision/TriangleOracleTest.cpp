// The triangle test against an exact integer predicate on small lattice coordinates,
// where touching (shared corners, edges on faces, coplanar contact) is common and
// every answer is known exactly.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "collision/TriangleOverlap.h"

namespace {

using Point = std::array<long long, 3>;

Point minus(const Point& a, const Point& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

Point crossOf(const Point& a, const Point& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

long long dotOf(const Point& a, const Point& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

int signOf(long long v) { return (v > 0) - (v < 0); }

int orient3(const Point& a, const Point& b, const Point& c, const Point& d) {
    return signOf(dotOf(crossOf(minus(b, a), minus(c, a)), minus(d, a)));
}

// Orientation in the coordinate plane that leaves out axis `drop`.
int orient2(const Point& p, const Point& q, const Point& r, int drop) {
    const int u = drop == 0 ? 1 : 0, v = drop == 2 ? 1 : 2;
    return signOf((q[u] - p[u]) * (r[v] - p[v]) - (q[v] - p[v]) * (r[u] - p[u]));
}

bool between(const Point& p, const Point& q, const Point& r)  // r on line pq: within the segment?
{
    for (int k = 0; k < 3; ++k) {
        if (r[k] < std::min(p[k], q[k]) || r[k] > std::max(p[k], q[k])) return false;
    }
    return true;
}

bool segmentsMeet2(const Point& p, const Point& q, const Point& a, const Point& b, int drop) {
    const int d1 = orient2(p, q, a, drop), d2 = orient2(p, q, b, drop);
    const int d3 = orient2(a, b, p, drop), d4 = orient2(a, b, q, drop);
    if (d1 * d2 < 0 && d3 * d4 < 0) return true;
    return (d1 == 0 && between(p, q, a)) || (d2 == 0 && between(p, q, b)) || (d3 == 0 && between(a, b, p)) ||
           (d4 == 0 && between(a, b, q));
}

bool insideTriangle2(const Point& p, const Point& a, const Point& b, const Point& c, int drop) {
    const int s1 = orient2(a, b, p, drop), s2 = orient2(b, c, p, drop), s3 = orient2(c, a, p, drop);
    return (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
}

bool segmentMeetsTriangle(const Point& p, const Point& q, const Point& a, const Point& b, const Point& c) {
    const int op = orient3(a, b, c, p), oq = orient3(a, b, c, q);
    if (op * oq > 0) return false;
    if (op == 0 && oq == 0) {
        const Point n = crossOf(minus(b, a), minus(c, a));
        int drop = 0;
        for (int k = 1; k < 3; ++k) {
            if (std::llabs(n[k]) > std::llabs(n[drop])) drop = k;
        }
        return insideTriangle2(p, a, b, c, drop) || insideTriangle2(q, a, b, c, drop) ||
               segmentsMeet2(p, q, a, b, drop) || segmentsMeet2(p, q, b, c, drop) || segmentsMeet2(p, q, c, a, drop);
    }
    // The segment reaches the plane; its line must pass through the closed triangle.
    const int s1 = orient3(p, q, a, b), s2 = orient3(p, q, b, c), s3 = orient3(p, q, c, a);
    return (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
}

using LatticeTriangle = std::array<Point, 3>;

bool flat(const LatticeTriangle& t) {
    const Point n = crossOf(minus(t[1], t[0]), minus(t[2], t[0]));
    return n[0] == 0 && n[1] == 0 && n[2] == 0;
}

// Two triangles share a point exactly when an edge of one meets the other.
bool exactlyMeet(const LatticeTriangle& a, const LatticeTriangle& b) {
    if (flat(a) || flat(b)) return false;
    for (int i = 0; i < 3; ++i) {
        if (segmentMeetsTriangle(a[i], a[(i + 1) % 3], b[0], b[1], b[2])) return true;
        if (segmentMeetsTriangle(b[i], b[(i + 1) % 3], a[0], a[1], a[2])) return true;
    }
    return false;
}

collision::PlacedTriangle place(const LatticeTriangle& t, const collision::Placement& placement) {
    float corners[9];
    for (int i = 0; i < 9; ++i) corners[i] = float(t[i / 3][i % 3]);
    collision::PlacedTriangle out;
    collision::placeTriangle(placement, corners, out);
    return out;
}

}  // namespace

TEST(TriangleOracle, MatchesExactPredicateOnLattice) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> coordinate(0, 3);
    std::uniform_int_distribution<int> shift(-3, 3);
    const collision::Placement same;
    int hits = 0, misses = 0, mismatches = 0;
    for (int round = 0; round < 100000 && mismatches < 10; ++round) {
        LatticeTriangle a, b;
        for (auto* t : {&a, &b}) {
            for (Point& p : *t) {
                for (long long& c : p) c = coordinate(random);
            }
        }
        const bool expected = exactlyMeet(a, b);
        (expected ? hits : misses) += 1;

        // Exact placements (moves, axis swaps, mirrors, doubling) keep every answer.
        collision::Placement moved;
        const int axes[3][3] = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}};
        const int* order = axes[round % 3];
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column) moved.linear[row][column] = 0;
            moved.linear[row][order[row]] = (round & 4) ? -2.0 : 1.0;
        }
        moved.translation = {double(shift(random)), double(shift(random)), double(shift(random))};

        const bool plain = collision::trianglesMeet(place(a, same), place(b, same));
        const bool reversed = collision::trianglesMeet(place(b, same), place(a, same));
        const bool placed = collision::trianglesMeet(place(a, moved), place(b, moved));
        if (plain != expected || reversed != expected || placed != expected) {
            ++mismatches;
            ADD_FAILURE() << "round " << round << ": exact " << expected << ", test " << plain << reversed << placed;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(hits, 10000);
    EXPECT_GT(misses, 10000);
}
