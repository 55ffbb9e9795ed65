#include <GL/gl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CountingAllocator.h"
#include "GlTestContext.h"
#include "ModelFiles.h"
#include "TempDir.h"
#include "scene/AbyssObject.h"
#include "scene/DeathObject.h"
#include "scene/LatticeObject.h"
#include "scene/LevelObject.h"
#include "scene/SwitchObject.h"
#include "scene/WaterAbyssObject.h"
#include "surfaces/CollisionModelPtr.h"

TEST(WaterSurface, DrawingAllocatesNothing) {
    ensureGlContext();
    WaterAbyssObject water;
    for (bool arrayPath : {false, true}) {
        water.useDisplayList = arrayPath;
        water.drawLocal();  // the driver may set itself up on first use
        glFinish();
        allocations = 0;
        countAllocations = true;
        for (int frame = 0; frame < 5; ++frame) water.drawLocal();
        countAllocations = false;
        glFinish();
        EXPECT_EQ(allocations.load(), 0) << (arrayPath ? "array path" : "strip path");
    }
}

TEST(SceneObjects, DrawingUpdatingAndTestingAllocateNothing) {
    ensureGlContext();
    TempDir dir;
    dir.write("models/boxed.txt", testmodels::movingSquare(true));
    dir.write("texturen/boden.tga", testmodels::solidTga(4, 4));

    LevelObject level(true);
    AbyssObject abyss;
    DeathObject still(true);
    for (ModelObject* o : std::initializer_list<ModelObject*>{&level, &abyss, &still}) {
        ASSERT_TRUE(o->model.loadModel("./models/boxed.txt"));
        o->compileDisplayList();
    }
    LatticeObject lattice;
    SwitchObject plate;
    CollisionModelPtr probe = makeCollisionModel();
    probe->setTriangleCount(1);
    probe->addTriangle(5, 5, 5, 5.1f, 5, 5, 5, 5.1f, 5);  // far from everything
    probe->finalize();
    const Matrix4 identity;
    probe->setTransform(identity.data());

    std::vector<SceneObject*> all{&level, &abyss, &still, &lattice, &plate};
    auto frame = [&] {
        for (SceneObject* o : all) {
            o->drawLocal();
            o->update(0.5f);
            EXPECT_EQ(o->collide(probe.get()), HIT_NONE);
        }
    };
    for (bool lists : {true, false}) {
        for (SceneObject* o : all) o->useDisplayList = lists;
        frame();  // the driver may set itself up on first use
        glFinish();
        allocations = 0;
        countAllocations = true;
        for (int n = 0; n < 3; ++n) frame();
        countAllocations = false;
        glFinish();
        EXPECT_EQ(allocations.load(), 0) << (lists ? "with lists" : "without lists");
    }
}

// A non-static deadly object rebuilds the collision models of its meshes from the
// pose at every test; once the first frames have sized the buffers, those rebuilds
// take nothing from the heap, whether the player's box is hit or not.
TEST(SceneObjects, AnimatedDeadlyObjectRebuildsWithoutAllocating) {
    ensureGlContext();
    TempDir dir;
    std::ifstream blade(ZARNOTH_SOURCE_DIR "/data/models/klinge.txt");
    ASSERT_TRUE(blade);
    dir.write("models/klinge.txt", std::string(std::istreambuf_iterator<char>(blade), {}));

    DeathObject spinning(false);
    ASSERT_TRUE(spinning.model.loadModel("./models/klinge.txt"));
    ASSERT_GT(spinning.model.meshCount, 0);
    ASSERT_FALSE(spinning.model.meshes[0].hasCollision);

    CollisionModelPtr box = makeCollisionModel();
    const float h = 0.1f;
    const float corners[8][3] = {{-h, -h, -h}, {h, -h, -h}, {h, h, -h}, {-h, h, -h},
                                 {-h, -h, h},  {h, -h, h},  {h, h, h},  {-h, h, h}};
    const int faces[6][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 5, 4}, {3, 2, 6, 7}, {0, 3, 7, 4}, {1, 2, 6, 5}};
    box->setTriangleCount(12);
    for (const auto& f : faces) {
        box->addTriangle(corners[f[0]], corners[f[1]], corners[f[2]]);
        box->addTriangle(corners[f[0]], corners[f[2]], corners[f[3]]);
    }
    box->finalize();
    Matrix4 besideTheAxis;
    besideTheAxis.data()[12] = 0.6f;
    besideTheAxis.data()[13] = 0.18f;
    box->setTransform(besideTheAxis.data());

    int hits = 0;
    auto frames = [&](int count) {
        for (int n = 0; n < count; ++n) {
            spinning.update(0.37f);
            hits += spinning.collide(box.get()) == HIT_MESH;
        }
    };
    frames(20);
    hits = 0;
    allocations = 0;
    countAllocations = true;
    frames(200);
    countAllocations = false;
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_GT(hits, 0);
    EXPECT_LT(hits, 200);
}
