#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "../scene/ModelFiles.h"
#include "CountingAllocator.h"
#include "GlTestContext.h"
#include "TempDir.h"
#include "scene/AbyssObject.h"
#include "scene/DeathObject.h"
#include "scene/LevelObject.h"
#include "surfaces/CollisionModelPtr.h"
#include "surfaces/LatticeObject.h"
#include "surfaces/SwitchObject.h"
#include "surfaces/WaterAbyssObject.h"

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
