#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "GlTestContext.h"
#include "ModelFiles.h"
#include "TempDir.h"
#include "scene/AbyssObject.h"
#include "scene/DeathObject.h"
#include "scene/LatticeObject.h"
#include "scene/LevelObject.h"
#include "scene/SwitchObject.h"
#include "scene/WaterAbyssObject.h"

namespace {
constexpr GLuint scanLimit = 20000;

struct LiveNames {
    int textures = 0;
    int lists = 0;
};

LiveNames countLiveNames() {
    LiveNames live;
    for (GLuint name = 1; name <= scanLimit; ++name) {
        if (glIsTexture(name)) ++live.textures;
        if (glIsList(name)) ++live.lists;
    }
    return live;
}

// One level's worth of objects, one of every kind, built as the loader does.
struct LevelScene {
    std::unique_ptr<LevelObject> level;
    std::vector<std::unique_ptr<SceneObject>> objects;
    std::vector<std::unique_ptr<SceneObject>> sortedObjects;
};

template <class T, class... Args>
T& addModelObject(std::vector<std::unique_ptr<SceneObject>>& list, Args... args) {
    auto object = std::make_unique<T>(args...);
    EXPECT_TRUE(object->model.loadModel("./models/textured.txt"));
    object->compileDisplayList();
    T& ref = *object;
    list.push_back(std::move(object));
    return ref;
}

LevelScene buildScene() {
    LevelScene scene;
    scene.level = std::make_unique<LevelObject>(true);
    EXPECT_TRUE(scene.level->model.loadModel("./models/textured.txt"));
    scene.level->compileDisplayList();
    addModelObject<AbyssObject>(scene.objects);
    addModelObject<DeathObject>(scene.objects, false);
    addModelObject<DeathObject>(scene.objects, true);
    scene.objects.push_back(std::make_unique<SwitchObject>());
    addModelObject<WaterAbyssObject>(scene.sortedObjects);
    scene.sortedObjects.push_back(std::make_unique<LatticeObject>());
    return scene;
}

void drawScene(LevelScene& scene) {
    scene.level->drawLocal();
    for (auto& o : scene.objects) o->drawLocal();
    for (auto& o : scene.sortedObjects) o->drawLocal();
}
}  // namespace

TEST(SceneLeak, LoadingLevelsAgainAndAgainKeepsTexturesAndListsBounded) {
    ensureGlContext();
    TempDir dir;
    dir.write("models/textured.txt", testmodels::movingSquare(true, "./texturen/stein.tga"));
    dir.write("texturen/stein.tga", testmodels::solidTga(8, 8));
    dir.write("texturen/wasser.tga", testmodels::solidTga(16, 16));
    dir.write("texturen/boden.tga", testmodels::solidTga(4, 4));

    const LiveNames before = countLiveNames();
    {
        LevelScene scene = buildScene();
        drawScene(scene);
        // The special surfaces found their textures (the water's path has backslashes).
        EXPECT_NE(static_cast<WaterAbyssObject&>(*scene.sortedObjects[0]).waterTexture.get(), 0u);
        EXPECT_NE(static_cast<SwitchObject&>(*scene.objects[3]).switchTexture.get(), 0u);
        const LiveNames during = countLiveNames();
        // Five materials, the water, the switch and the lattice; the level
        // object, the abyss, the switch and the lattice hold lists.
        EXPECT_EQ(during.textures - before.textures, 8);
        EXPECT_EQ(during.lists - before.lists, 4);
    }
    for (int load = 0; load < 100; ++load) {
        LevelScene scene = buildScene();
        drawScene(scene);
    }
    const LiveNames after = countLiveNames();
    EXPECT_EQ(after.textures, before.textures);
    EXPECT_EQ(after.lists, before.lists);
}
