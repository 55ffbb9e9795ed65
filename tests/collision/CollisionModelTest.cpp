#include <gtest/gtest.h>

#include <limits>

#include "CollisionTestSupport.h"

using namespace collisiontest;

namespace {

const Triangle baseTriangle{0, 0, 0, 2, 0, 0, 0, 2, 0};  // in the plane z = 0

// Contact is symmetric; every check asks both ways.
bool meets(CollisionModel3D& a, CollisionModel3D& b) {
    const bool ab = a.collides(&b);
    const bool ba = b.collides(&a);
    EXPECT_EQ(ab, ba);
    return ab;
}

bool trianglesMeet(const Triangle& a, const Triangle& b) {
    ModelPtr ma = buildModel({a});
    ModelPtr mb = buildModel({b});
    return meets(*ma, *mb);
}

bool placedMeet(const std::vector<Triangle>& a, const Matrix& ta, const std::vector<Triangle>& b, const Matrix& tb) {
    ModelPtr ma = buildModel(a);
    ModelPtr mb = buildModel(b);
    ma->setTransform(ta.data());
    mb->setTransform(tb.data());
    return meets(*ma, *mb);
}

}  // namespace

TEST(TriangleContact, CrossingAndSeparated) {
    EXPECT_TRUE(trianglesMeet(baseTriangle, {0.5f, 0.5f, -1, 0.5f, 0.5f, 1, 0.5f, 1.5f, 0}));
    // The same triangle lifted clear of the plane, or parallel just above it.
    EXPECT_FALSE(trianglesMeet(baseTriangle, {0.5f, 0.5f, 4, 0.5f, 0.5f, 6, 0.5f, 1.5f, 5}));
    EXPECT_FALSE(trianglesMeet(baseTriangle, {0, 0, 0.001f, 2, 0, 0.001f, 0, 2, 0.001f}));
    // Upright beyond the hypotenuse: the bounding boxes overlap, the triangles do not.
    EXPECT_FALSE(trianglesMeet(baseTriangle, {1.5f, 1.5f, -1, 1.5f, 1.5f, 1, 3, 3, 0}));
    // Crossing the plane inside the box of the base but outside the triangle.
    EXPECT_FALSE(trianglesMeet(baseTriangle, {1.6f, 1.6f, -1, 1.6f, 1.6f, 1, 1.9f, 1.9f, 0}));
}

TEST(TriangleContact, TouchingCounts) {
    // Corner on corner, corner inside the face, corner on an edge.
    EXPECT_TRUE(trianglesMeet(baseTriangle, {0, 0, 0, -1, 0, -1, 0, -1, -1}));
    EXPECT_TRUE(trianglesMeet(baseTriangle, {0.5f, 0.5f, 0, 1, 0.5f, -1, 0.5f, 1, -1}));
    EXPECT_TRUE(trianglesMeet(baseTriangle, {1, 0, 0, 1, -1, -1, 1, -1, 1}));
    // An edge lying on the face, an edge crossing an edge at one point.
    EXPECT_TRUE(trianglesMeet(baseTriangle, {0.2f, 0.2f, 0, 0.8f, 0.2f, 0, 0.5f, 0.2f, 1}));
    EXPECT_TRUE(trianglesMeet(baseTriangle, {1, -1, 1, 1, 1, -1, 1, -1, -1}));
    // The same shapes moved a hair away no longer touch.
    EXPECT_FALSE(trianglesMeet(baseTriangle, {0.5f, 0.5f, -0.001f, 1, 0.5f, -1, 0.5f, 1, -1}));
    EXPECT_FALSE(trianglesMeet(baseTriangle, {1, -0.001f, 0, 1, -1, -1, 1, -1, 1}));
}

TEST(TriangleContact, CoplanarTriangles) {
    EXPECT_TRUE(trianglesMeet(baseTriangle, {0.5f, 0.5f, 0, 3, 0.5f, 0, 0.5f, 3, 0}));        // overlapping
    EXPECT_FALSE(trianglesMeet(baseTriangle, {1.5f, 1.5f, 0, 3, 1.5f, 0, 1.5f, 3, 0}));       // boxes overlap only
    EXPECT_FALSE(trianglesMeet(baseTriangle, {-1, -1, 0, -3, -1, 0, -1, -3, 0}));             // far apart
    EXPECT_TRUE(trianglesMeet(baseTriangle, {2, 0, 0, 0, 2, 0, 2, 2, 0}));                    // shared edge
    EXPECT_TRUE(trianglesMeet(baseTriangle, {2, 0, 0, 3, 0, 0, 3, 1, 0}));                    // shared corner
    EXPECT_TRUE(trianglesMeet(baseTriangle, {1, 1, 0, 2, 1, 0, 1, 2, 0}));                    // corner on edge
    EXPECT_TRUE(trianglesMeet(baseTriangle, {0.2f, 0.2f, 0, 0.6f, 0.2f, 0, 0.2f, 0.6f, 0}));  // inside
    EXPECT_TRUE(trianglesMeet(baseTriangle, {-1, -1, 0, 5, -1, 0, -1, 5, 0}));                // around
    // Inside the plane but tilted a little: only the part near the base counts.
    EXPECT_TRUE(trianglesMeet(baseTriangle, {0.2f, 0.2f, 0, 0.6f, 0.2f, 0.1f, 0.2f, 0.6f, 0.1f}));
}

TEST(ModelPlacement, RotationAndTranslation) {
    const auto cube = boxTriangles(-1, -1, -1, 1, 1, 1);
    const Matrix turned = rotation(45, 0, 0, 1);
    // Turned by 45 degrees the cube reaches sqrt(2) along x.
    EXPECT_TRUE(placedMeet(cube, identity(), cube, translation(2.3f, 0, 0) * turned));
    EXPECT_FALSE(placedMeet(cube, identity(), cube, translation(2.5f, 0, 0) * turned));
    EXPECT_FALSE(placedMeet(cube, translation(0, 5, 0), cube, translation(2.3f, 0, 0) * turned));
    // Both moved together keep their contact.
    const Matrix shift = translation(10, -4, 3) * rotation(30, 0.6f, 0.8f, 0);
    EXPECT_TRUE(placedMeet(cube, shift, cube, shift * translation(2.3f, 0, 0) * turned));
    EXPECT_FALSE(placedMeet(cube, shift, cube, shift * translation(2.5f, 0, 0) * turned));
    // Surfaces collide, volumes do not: a box inside another never touches it.
    EXPECT_FALSE(placedMeet(cube, identity(), boxTriangles(-0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f), turned));
}

TEST(ModelPlacement, ExactQuarterTurnTouches) {
    const auto cube = boxTriangles(0, 0, 0, 1, 1, 1);
    // A quarter turn about z with exact entries, then moved so that its face x = 1
    // lies on the first cube's face x = 1.
    const Matrix quarter{0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_TRUE(placedMeet(cube, identity(), cube, translation(2, 0.5f, 0) * quarter));
    EXPECT_FALSE(placedMeet(cube, identity(), cube, translation(2.001f, 0.5f, 0) * quarter));
    // Only an edge in common.
    EXPECT_TRUE(placedMeet(cube, identity(), cube, translation(2, 1, 1) * quarter));
}

TEST(ModelPlacement, ScaledMatrices) {
    const auto cube = boxTriangles(-1, -1, -1, 1, 1, 1);
    const auto wall = std::vector<Triangle>{{2.5f, -5, -5, 2.5f, 5, -5, 2.5f, 0, 5}};
    EXPECT_FALSE(placedMeet(cube, identity(), wall, identity()));
    EXPECT_TRUE(placedMeet(cube, scaling(3, 3, 3), wall, identity()));
    EXPECT_TRUE(placedMeet(cube, scaling(3, 0.1f, 0.1f), wall, identity()));
    EXPECT_FALSE(placedMeet(cube, scaling(0.1f, 3, 3), wall, identity()));
    // Scaling the wall's model instead: its plane moves to x = 0.5 and crosses the cube.
    EXPECT_TRUE(placedMeet(cube, identity(), wall, scaling(0.2f, 1, 1)));
    // A mirror is a scale too.
    EXPECT_TRUE(placedMeet(cube, scaling(-3, 1, 1), wall, scaling(-1, 1, 1)));
}

TEST(ModelPlacement, ShearedRelativeTransform) {
    const auto cube = boxTriangles(-1, -1, -1, 1, 1, 1);
    // A rod along the diagonal: a cube stretched along x, then turned by 45 degrees. Seen
    // from the rod, an upright cube is sheared.
    const Matrix rod = rotation(45, 0, 0, 1) * scaling(10, 0.1f, 0.1f);
    const float step = 0.70710678f;  // one unit across the rod
    EXPECT_TRUE(placedMeet(cube, rod, cube, scaling(0.5f, 0.5f, 0.5f)));
    EXPECT_TRUE(placedMeet(cube, rod, cube, translation(-0.5f * step, 0.5f * step, 0) * scaling(0.5f, 0.5f, 0.5f)));
    // Beside the rod: inside its world-aligned bounds, yet apart.
    const Matrix beside = translation(3 - 1.2f * step, 3 + 1.2f * step, 0);
    EXPECT_FALSE(placedMeet(cube, rod, cube, beside * scaling(0.5f, 0.5f, 0.5f)));
    EXPECT_FALSE(placedMeet(cube, rod, cube, beside * rotation(20, 0, 0, 1) * scaling(0.5f, 0.5f, 0.5f)));
    EXPECT_TRUE(placedMeet(cube, rod, cube, beside * scaling(1.2f, 1.2f, 1.2f)));

    // A sheared placement moves the triangle's top corner onto the wall.
    Matrix shear = identity();
    shear[4] = 1;  // x += y
    const std::vector<Triangle> spike{{0, 0, -1, 0, 0, 1, 0, 2, 0}};
    const std::vector<Triangle> wall{{2, -5, -5, 2, 5, -5, 2, 0, 5}};
    EXPECT_FALSE(placedMeet(spike, identity(), wall, identity()));
    EXPECT_TRUE(placedMeet(spike, shear, wall, identity()));
}

TEST(ModelPlacement, OtherTransformArgumentPlacesTheOther) {
    ModelPtr a = buildModel(boxTriangles(-1, -1, -1, 1, 1, 1));
    ModelPtr b = buildModel(boxTriangles(-1, -1, -1, 1, 1, 1));
    const Matrix far = translation(5, 0, 0);
    const Matrix near = translation(1.5f, 0, 0);
    b->setTransform(far.data());
    EXPECT_FALSE(a->collides(b.get()));
    Matrix given = near;
    EXPECT_TRUE(a->collides(b.get(), -1, 0, given.data()));
    EXPECT_FALSE(a->collides(b.get()));  // the stored transform is untouched
    given[0] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(a->collides(b.get(), -1, 0, given.data()));
}

TEST(DegenerateInput, ZeroAreaTrianglesNeverCollide) {
    const Triangle point{0.5f, 0.5f, 0, 0.5f, 0.5f, 0, 0.5f, 0.5f, 0};
    const Triangle line{0.5f, 0.5f, -1, 0.5f, 0.5f, 1, 0.5f, 0.5f, 0};
    const Triangle repeated{0, 0, 0, 2, 0, 0, 2, 0, 0};
    EXPECT_FALSE(trianglesMeet(baseTriangle, point));
    EXPECT_FALSE(trianglesMeet(baseTriangle, line));
    EXPECT_FALSE(trianglesMeet(baseTriangle, repeated));
    EXPECT_FALSE(trianglesMeet(point, point));
    // A mesh with degenerate triangles still collides through its good ones.
    ModelPtr mixed = buildModel({point, line, {0.5f, 0.5f, -1, 0.5f, 0.5f, 1, 0.5f, 1.5f, 0}, repeated});
    ModelPtr base = buildModel({baseTriangle});
    EXPECT_TRUE(meets(*mixed, *base));
}

TEST(DegenerateInput, NonFiniteCoordinatesNeverCollide) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(trianglesMeet(baseTriangle, {0.5f, 0.5f, -1, 0.5f, 0.5f, 1, nan, 1.5f, 0}));
    EXPECT_FALSE(trianglesMeet(baseTriangle, {0.5f, 0.5f, -inf, 0.5f, 0.5f, 1, 0.5f, 1.5f, 0}));
    EXPECT_FALSE(trianglesMeet({nan, nan, nan, nan, nan, nan, nan, nan, nan}, baseTriangle));
}

TEST(DegenerateInput, FlatteningTransformMakesTrianglesDegenerate) {
    const std::vector<Triangle> upright{{0.5f, 0.5f, -1, 0.5f, 0.5f, 1, 0.5f, 1.5f, 0}};
    EXPECT_TRUE(placedMeet({baseTriangle}, identity(), upright, identity()));
    // Flattened onto a segment that lies on the base: no area left.
    EXPECT_FALSE(placedMeet({baseTriangle}, identity(), upright, scaling(1, 1, 0)));
    // Flattening the base onto its own plane changes nothing.
    EXPECT_TRUE(placedMeet({baseTriangle}, scaling(1, 1, 0), upright, identity()));
}

TEST(DegenerateInput, EmptyModelNeverCollides) {
    ModelPtr empty = buildModel({});
    ModelPtr base = buildModel({baseTriangle});
    EXPECT_FALSE(meets(*empty, *base));
    EXPECT_FALSE(meets(*empty, *empty));
    ModelPtr onlyDegenerate = buildModel({{0, 0, 0, 1, 1, 1, 2, 2, 2}});
    EXPECT_FALSE(meets(*onlyDegenerate, *base));
}

TEST(ModelState, NullOrUnfinishedModels) {
    ModelPtr base = buildModel({baseTriangle});
    EXPECT_FALSE(base->collides(nullptr));

    ModelPtr open(newCollisionModel3D(false));
    open->addTriangle(baseTriangle[0], baseTriangle[1], baseTriangle[2], baseTriangle[3], baseTriangle[4],
                      baseTriangle[5], baseTriangle[6], baseTriangle[7], baseTriangle[8]);
    EXPECT_FALSE(base->collides(open.get()));
    EXPECT_FALSE(open->collides(base.get()));
    open->finalize();
    EXPECT_TRUE(meets(*base, *open));
    EXPECT_TRUE(meets(*base, *base));  // a model meets itself

    // Triangles added later count only after the next finalize.
    ModelPtr growing = buildModel({{0, 0, 5, 1, 0, 5, 0, 1, 5}});
    EXPECT_FALSE(meets(*growing, *base));
    growing->addTriangle(0.5f, 0.5f, -1, 0.5f, 0.5f, 1, 0.5f, 1.5f, 0);
    EXPECT_FALSE(growing->collides(base.get()));
    growing->finalize();
    EXPECT_TRUE(meets(*growing, *base));
}

TEST(ModelState, NonFiniteTransformNeverCollides) {
    ModelPtr a = buildModel({baseTriangle});
    ModelPtr b = buildModel({baseTriangle});
    ASSERT_TRUE(meets(*a, *b));
    for (const float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()}) {
        for (const int index : {0, 7, 13, 15}) {
            Matrix m = identity();
            m[index] = bad;
            a->setTransform(m.data());
            EXPECT_FALSE(a->collides(b.get()));
            EXPECT_FALSE(b->collides(a.get()));
            a->setTransform(identity().data());
            EXPECT_TRUE(meets(*a, *b));
        }
    }
}

TEST(ModelState, CoordinatesAreCopiedAtAdd) {
    float corners[9] = {0.5f, 0.5f, -1, 0.5f, 0.5f, 1, 0.5f, 1.5f, 0};
    ModelPtr a(newCollisionModel3D(false));
    a->setTriangleCount(1);
    a->addTriangle(&corners[0], &corners[3], &corners[6]);
    for (float& c : corners) c += 100;
    a->finalize();
    ModelPtr b = buildModel({baseTriangle});
    EXPECT_TRUE(meets(*a, *b));
}

TEST(ModelState, TriangleCountIsOnlyAHint) {
    ModelPtr base = buildModel({baseTriangle});
    for (const int count : {-1, -2000000000, 0, 1, 2000000000}) {
        ModelPtr a(newCollisionModel3D(false));
        a->setTriangleCount(count);
        a->addTriangle(0, 0, 5, 1, 0, 5, 0, 1, 5);
        a->addTriangle(0.5f, 0.5f, -1, 0.5f, 0.5f, 1, 0.5f, 1.5f, 0);
        a->finalize();
        EXPECT_TRUE(meets(*a, *base)) << count;
    }
}

TEST(ModelState, RecycledModelStartsAfresh) {
    ModelPtr base = buildModel({baseTriangle});
    CollisionModel3D* old = newCollisionModel3D(false);
    old->addTriangle(0.5f, 0.5f, -1, 0.5f, 0.5f, 1, 0.5f, 1.5f, 0);
    old->finalize();
    const Matrix away = translation(50, 0, 0);
    old->setTransform(away.data());
    old->destroy(1);

    // Whether or not it is the same object, a new model has no triangles and no transform.
    ModelPtr fresh(newCollisionModel3D(false));
    fresh->finalize();
    EXPECT_FALSE(meets(*fresh, *base));
    fresh->addTriangle(0.5f, 0.5f, -1, 0.5f, 0.5f, 1, 0.5f, 1.5f, 0);
    fresh->finalize();
    EXPECT_TRUE(meets(*fresh, *base));
}
