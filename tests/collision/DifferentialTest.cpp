// The box-tree search against a brute-force check of every triangle pair, on random
// meshes and random affine placements (rotations, non-uniform scales, mirrors, shears).
//
// Tolerance: none. Both sides place the triangles with the same function and test
// pairs with the same function, and the tree only drops box pairs that are apart by
// more than a margin far above rounding (a 1e-9 share of the scene's extent), so the
// answers must be identical even for pairs that touch exactly; the lattice cases make
// such contacts common.
#include <gtest/gtest.h>

#include <random>

#include "CollisionTestSupport.h"
#include "collision/TriangleOverlap.h"

using namespace collisiontest;

namespace {

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    float uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(random_); }
    int integer(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::vector<Triangle> soup() {
        std::vector<Triangle> out(integer(1, 60));
        for (Triangle& t : out) {
            const float cx = uniform(-1, 1), cy = uniform(-1, 1), cz = uniform(-1, 1);
            const float size = uniform(0.05f, 0.5f);
            for (int i = 0; i < 9; i += 3) {
                t[i] = cx + uniform(-size, size);
                t[i + 1] = cy + uniform(-size, size);
                t[i + 2] = cz + uniform(-size, size);
            }
            if (integer(0, 19) == 0) {  // some flat ones: the third corner on the first edge
                for (int k = 0; k < 3; ++k) t[6 + k] = t[k] + 0.5f * (t[3 + k] - t[k]);
            }
        }
        return out;
    }

    std::vector<Triangle> mesh() {
        if (integer(0, 1) == 0) return sphereTriangles(uniform(0.4f, 1.2f), integer(2, 8), integer(3, 12));
        return boxTriangles(uniform(-1, 0), uniform(-1, 0), uniform(-1, 0), uniform(0, 1), uniform(0, 1),
                            uniform(0, 1));
    }

    Matrix placement() {
        float x = uniform(-1, 1), y = uniform(-1, 1), z = uniform(-1, 1);
        const float length = std::sqrt(x * x + y * y + z * z) + 1e-6f;
        Matrix m = translation(uniform(-1.5f, 1.5f), uniform(-1.5f, 1.5f), uniform(-1.5f, 1.5f)) *
                   rotation(uniform(0, 360), x / length, y / length, z / length);
        if (integer(0, 2) == 0) {
            Matrix shear = identity();
            shear[integer(0, 1) == 0 ? 4 : 8] = uniform(-0.8f, 0.8f);
            shear[integer(0, 1) == 0 ? 1 : 9] = uniform(-0.8f, 0.8f);
            m = m * shear;
        }
        const float mirror = integer(0, 5) == 0 ? -1.0f : 1.0f;
        return m * scaling(mirror * uniform(0.3f, 2.5f), uniform(0.3f, 2.5f), uniform(0.3f, 2.5f));
    }

    // Lattice triangles under signed axis swaps and whole-number moves: exact contacts.
    std::vector<Triangle> lattice() {
        std::vector<Triangle> out(integer(1, 12));
        for (Triangle& t : out) {
            for (float& c : t) c = float(integer(0, 3));
        }
        return out;
    }

    Matrix latticePlacement() {
        Matrix m{};
        const int axes[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
        const int* order = axes[integer(0, 5)];
        for (int column = 0; column < 3; ++column) m[column * 4 + order[column]] = integer(0, 1) ? 1.0f : -1.0f;
        m[12] = float(integer(-2, 2));
        m[13] = float(integer(-2, 2));
        m[14] = float(integer(-2, 2));
        m[15] = 1;
        return m;
    }

private:
    std::mt19937 random_;
};

void expectSameAnswers(int cases, unsigned seed, bool onLattice) {
    Generator generate(seed);
    int hits = 0, mismatches = 0;
    for (int round = 0; round < cases && mismatches < 10; ++round) {
        std::vector<Triangle> a, b;
        Matrix ma, mb;
        if (onLattice) {
            a = generate.lattice();
            b = generate.lattice();
            ma = generate.latticePlacement();
            mb = generate.latticePlacement();
        } else {
            a = generate.integer(0, 1) ? generate.soup() : generate.mesh();
            b = generate.integer(0, 1) ? generate.soup() : generate.mesh();
            ma = generate.placement();
            mb = generate.placement();
        }
        ModelPtr modelA = buildModel(a);
        ModelPtr modelB = buildModel(b);
        modelA->setTransform(ma.data());
        modelB->setTransform(mb.data());

        const bool expected = bruteForce(a, ma, b, mb);
        const bool ab = modelA->collides(modelB.get());
        const bool ba = modelB->collides(modelA.get());
        hits += expected;
        if (ab != expected || ba != expected) {
            ++mismatches;
            ADD_FAILURE() << "case " << round << ": brute force " << expected << ", tree " << ab << ba;
        }
    }
    EXPECT_EQ(mismatches, 0);
    ::testing::Test::RecordProperty("hits", hits);
    // Both answers must be well represented for the comparison to mean anything.
    EXPECT_GT(hits, cases / 5);
    EXPECT_LT(hits, cases - cases / 5);
}

}  // namespace

TEST(TreeAgainstBruteForce, RandomMeshesAndPlacements) { expectSameAnswers(3000, 1207, false); }

TEST(TreeAgainstBruteForce, LatticeMeshesWithExactContacts) { expectSameAnswers(3000, 530, true); }

// The game's own case: a posed figure of about 2,000 triangles against a small box
// that is near it, touching or not, both placed by any affine matrix; and the figure
// against a second one. Asked both ways, so either model serves as the frame.
TEST(TreeAgainstBruteForce, PosedFigureAgainstBoxAndFigure) {
    Generator generate(1515);
    const auto figure = figureTriangles();
    ModelPtr figureModel = buildModel(figure);
    int hits = 0, mismatches = 0;
    constexpr int caseCount = 160;
    for (int round = 0; round < caseCount && mismatches < 10; ++round) {
        // Some far from the origin, where the world coordinates round coarsely.
        const Matrix mf = (round % 4 == 1 ? translation(3e4f, -2e4f, 1e4f) : identity()) * generate.placement();
        const Triangle& t = figure[std::size_t(generate.integer(0, int(figure.size()) - 1))];
        const float u = generate.uniform(0, 0.5f), v = generate.uniform(0, 0.5f);
        float at[3];
        for (int i = 0; i < 3; ++i) {
            at[i] = t[i] + u * (t[3 + i] - t[i]) + v * (t[6 + i] - t[i]) + generate.uniform(-0.15f, 0.15f);
        }
        const bool againstFigure = round % 40 == 0;
        const float half = generate.uniform(0.03f, 0.15f);
        const auto other = againstFigure ? figure : boxTriangles(-half, -half, -half, half, half, half);
        Matrix mo = mf * translation(at[0], at[1], at[2]) * rotation(generate.uniform(0, 360), 0.6f, 0, 0.8f);
        if (againstFigure) mo = mo * rotation(90, 0, 0, 1) * translation(0, -1, 0);
        if (round % 3 == 0) mo = mo * generate.placement();
        ModelPtr otherModel = buildModel(other);
        figureModel->setTransform(mf.data());
        otherModel->setTransform(mo.data());

        const bool expected = bruteForce(figure, mf, other, mo);
        const bool fo = figureModel->collides(otherModel.get());
        const bool of = otherModel->collides(figureModel.get());
        hits += expected;
        if (fo != expected || of != expected) {
            ++mismatches;
            ADD_FAILURE() << "case " << round << ": brute force " << expected << ", tree " << fo << of;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(hits, caseCount / 5);
    EXPECT_LT(hits, caseCount - caseCount / 5);
}

// Triangles spread over many orders of magnitude defeat splitting boxes in the middle;
// the tree must still be shallow enough for the search and give the same answers.
TEST(TreeAgainstBruteForce, SkewedSpreadOfTriangles) {
    std::vector<Triangle> strip;
    for (int i = 0; i < 3000; ++i) {
        const float x = std::ldexp(1.0f, i / 25);  // up to 2^119
        const float w = x * 0.001f + 0.001f;
        strip.push_back({x, 0, -w, x + w, 0, w, x, w, 0});
    }
    ModelPtr model = buildModel(strip);
    for (const int i : {0, 1, 500, 1499, 2998, 2999}) {
        const float x = strip[std::size_t(i)][0];
        for (const float offset : {0.0f, 0.5f}) {
            const std::vector<Triangle> probe{{x, -1, offset, x, 1, offset, x + x * 0.002f + 0.002f, 0, offset}};
            ModelPtr probeModel = buildModel(probe);
            EXPECT_EQ(model->collides(probeModel.get()), bruteForce(strip, identity(), probe, identity()))
                << i << " " << offset;
            if (offset == 0.0f) {
                EXPECT_TRUE(model->collides(probeModel.get())) << i;
            }
        }
    }
}
