#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "GlFixture.h"
#include "GlTestContext.h"
#include "PlainObject.h"
#include "scene/LatticeObject.h"
#include "scene/Placement.h"

namespace {
// A view with a turn and a shift, as the camera would give.
void viewMatrix(float* out) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotatef(30, 0, 1, 0);
    glTranslatef(1, -2, 3);
    glGetFloatv(GL_MODELVIEW_MATRIX, out);
    glPopMatrix();
}

// a * b, column-major.
void multiply(const float* a, const float* b, float* out) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + r] * b[c * 4 + k];
            out[c * 4 + r] = sum;
        }
}

// A model point moved by a stored matrix.
void apply(const Matrix4& m, float x, float y, float z, float* out) {
    const float* d = m.data();
    for (int r = 0; r < 3; ++r) out[r] = d[r] * x + d[4 + r] * y + d[8 + r] * z + d[12 + r];
}

// Only a position: sorting needs no GL.
class Marker : public PlainObject {
public:
    explicit Marker(float x, float z = 0, int tag = 0) : PlainObject(x, z), tag(tag) {}
    int tag;
};

int tagOf(const std::unique_ptr<SceneObject>& o) { return static_cast<const Marker&>(*o).tag; }

using PlacementTest = GlFixture;
}  // namespace

TEST_F(PlacementTest, PlainTranslationGivesBaseTimesTranslation) {
    float base[16];
    viewMatrix(base);
    LatticeObject object;
    object.position = {2, 3, -4};
    object.draw(base);

    float translation[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 2, 3, -4, 1};
    float expected[16];
    multiply(base, translation, expected);
    for (int k = 0; k < 16; ++k) EXPECT_NEAR(object.modelViewMatrix.m[k], expected[k], 1e-5f) << k;

    // The draw leaves the modelview stack as it found it.
    float after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int k = 0; k < 16; ++k) EXPECT_FLOAT_EQ(after[k], k % 5 == 0 ? 1.f : 0.f);
}

TEST_F(PlacementTest, RotationZIsStoredButNeverApplied) {
    float base[16];
    viewMatrix(base);
    LatticeObject plain, turned;
    for (LatticeObject* o : {&plain, &turned}) {
        o->position = {0.5f, 1, 2};
        o->rotationX = 20;
        o->rotationY = 45;
        o->scale = {2, 3, 4};
    }
    turned.rotationZ = 90;
    plain.draw(base);
    turned.draw(base);
    for (int k = 0; k < 16; ++k) EXPECT_FLOAT_EQ(turned.modelViewMatrix.m[k], plain.modelViewMatrix.m[k]);
}

TEST_F(PlacementTest, ObjectTurnsOverAboutItsPivot) {
    LatticeObject object;
    object.pivot = {0, 1, 0};
    object.rotationX = 180;
    object.drawLocal();

    float origin[3];
    apply(object.modelViewMatrix, 0, 0, 0, origin);
    EXPECT_NEAR(origin[0], 0, 1e-5f);
    EXPECT_NEAR(origin[1], 2, 1e-5f);
    EXPECT_NEAR(origin[2], 0, 1e-5f);
    // Turned over: a point above the origin now lies below it.
    float above[3];
    apply(object.modelViewMatrix, 0, 0.5f, 0, above);
    EXPECT_NEAR(above[1], 1.5f, 1e-5f);
}

TEST_F(PlacementTest, ScaleComesFirstThenRotationYThenX) {
    LatticeObject object;
    object.position = {10, 0, 0};
    object.scale = {2, 1, 1};
    object.rotationY = 90;
    object.rotationX = 90;
    object.upStep = 0.25f;  // the lattice's own height offset joins the first translation
    object.drawLocal();

    // (1,0,0) scaled to (2,0,0), turned about y to (0,0,-2), about x to (0,2,0).
    float p[3];
    apply(object.modelViewMatrix, 1, 0, 0, p);
    EXPECT_NEAR(p[0], 10, 1e-5f);
    EXPECT_NEAR(p[1], 2.25f, 1e-5f);
    EXPECT_NEAR(p[2], 0, 1e-5f);
}

TEST(SortFarthestFirst, OrdersByGroundDistanceLargestFirst) {
    std::vector<std::unique_ptr<SceneObject>> objects;
    const float xs[] = {1, 5, 3, 0, -4};
    for (float x : xs) {
        objects.push_back(std::make_unique<Marker>(x));
        objects.back()->position.y = 100 * x;  // height plays no part
    }
    sortFarthestFirst(objects, 0, 0);
    const float expected[] = {5, -4, 3, 1, 0};
    for (int k = 0; k < 5; ++k) {
        EXPECT_FLOAT_EQ(objects[k]->position.x, expected[k]);
        EXPECT_FLOAT_EQ(objects[k]->distanceToPlayer, std::fabs(expected[k]));
    }

    // The player's ground position is the reference.
    sortFarthestFirst(objects, 5, 0);
    EXPECT_FLOAT_EQ(objects.front()->position.x, -4);
    EXPECT_FLOAT_EQ(objects.back()->position.x, 5);
    EXPECT_FLOAT_EQ(objects.back()->distanceToPlayer, 0);
}

TEST(SortFarthestFirst, NanPositionsSortDeterministicallyAndFirst) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    auto build = [&] {
        std::vector<std::unique_ptr<SceneObject>> objects;
        const float xs[] = {2, nan, 7, 2, nan, 1, 9, nan, 4, 2, 3, nan};
        for (int tag = 0; tag < 12; ++tag)
            objects.push_back(std::make_unique<Marker>(xs[tag], tag % 3 == 0 ? nan : 0, tag));
        return objects;
    };
    auto first = build();
    auto second = build();
    sortFarthestFirst(first, 0, 0);
    sortFarthestFirst(second, 0, 0);
    sortFarthestFirst(second, 0, 0);  // sorting again changes nothing

    ASSERT_EQ(first.size(), second.size());
    for (size_t k = 0; k < first.size(); ++k) EXPECT_EQ(tagOf(first[k]), tagOf(second[k])) << k;

    // Every unusable distance counts as farthest; the rest are in order.
    size_t k = 0;
    while (k < first.size() && std::isnan(first[k]->distanceToPlayer)) ++k;
    for (size_t n = k; n < first.size(); ++n) EXPECT_FALSE(std::isnan(first[n]->distanceToPlayer));
    for (size_t n = k + 1; n < first.size(); ++n) EXPECT_GE(first[n - 1]->distanceToPlayer, first[n]->distanceToPlayer);
    EXPECT_EQ(k, 8u);
}

TEST(SortFarthestFirst, EqualDistancesKeepTheirOrder) {
    std::vector<std::unique_ptr<SceneObject>> objects;
    for (int tag = 0; tag < 6; ++tag) objects.push_back(std::make_unique<Marker>(tag % 2 ? 3.f : -3.f, 4, tag));
    for (int frame = 0; frame < 3; ++frame) {
        sortFarthestFirst(objects, 0, 0);
        for (int k = 0; k < 6; ++k) EXPECT_EQ(tagOf(objects[k]), k);
    }
}
