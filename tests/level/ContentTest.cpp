// The game's own content in data/: every level loads without a message and
// holds the objects it was designed with, and the obstacles sit where the
// player actually meets them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "GlTestContext.h"
#include "LevelTestSupport.h"
#include "check/Checker.h"
#include "level/LevelLoader.h"
#include "level/Scene.h"
#include "scene/AbyssObject.h"
#include "scene/DeathObject.h"
#include "scene/Player.h"
#include "surfaces/LatticeObject.h"
#include "surfaces/SwitchObject.h"
#include "surfaces/WaterAbyssObject.h"

namespace {

class ContentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureGlContext();
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(ZARNOTH_SOURCE_DIR "/data"), 0);
    }

    void TearDown() override {
        clearSceneGlobals();
        ASSERT_EQ(chdir(previous), 0);
    }

    // Every message shown, as "caption: text"; the game's content shows none.
    std::string shown() const {
        std::string all;
        for (const auto& [text, caption] : log.messages) all += caption + ": " + text + "\n";
        return all;
    }

    // The player as start-up sets it up, in front of the eye.
    static void setUpPlayer(Player& p) {
        ASSERT_TRUE(p.model.loadModel("./models/tarnel.txt"));
        p.scale = {0.002f, 0.002f, 0.002f};
        p.position = {0, -0.5f, -1.5f};
        p.pivot = {0, 0.5f, 0};
        p.rotationY = 180;
    }

    // Draws the player and `object` as a frame does with the player standing
    // at (x, z) on the ground, camera level and facing -z, then tests the
    // object against the player's box as the collision pass does.
    static HitKind touch(Player& p, SceneObject& object, float x, float z) {
        float view[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -x, -0.5f, -1.5f - z, 1};
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        p.draw(nullptr);
        object.draw(view);
        p.model.boundingModel->setTransform(p.modelViewMatrix.data());
        return object.collide(p.model.boundingModel.get());
    }

    template <class T>
    static T* as(const std::unique_ptr<SceneObject>& object) {
        return dynamic_cast<T*>(object.get());
    }

    static int exitTo(int level) {
        int count = 0;
        for (const Wall& w : walls) count += w.nextLevel == level;
        return count;
    }

    char previous[PATH_MAX] = {};
    MessageLog log;
};

TEST_F(ContentTest, PlayerModelHasItsSkeletonAnimationAndBoundingBox) {
    Player p;
    setUpPlayer(p);
    EXPECT_NE(p.model.boundingModel, nullptr);
    EXPECT_EQ(p.model.frameCount, 70);
    EXPECT_EQ(p.model.meshCount, 5);
    EXPECT_EQ(p.model.bones.size(), 7u);
    for (const Material& m : p.model.materials) {
        if (!m.textureFile.empty()) {
            EXPECT_NE(m.textureId.get(), 0u) << m.textureFile;
        }
    }
    EXPECT_EQ(shown(), "");
}

TEST_F(ContentTest, LevelOneIsACorridorWithBladePitSwitchAndLattice) {
    loadLevel(1);
    EXPECT_EQ(shown(), "");
    ASSERT_NE(levelObject, nullptr);
    EXPECT_EQ(levelObject->model.meshCount, 3);
    for (const Material& m : levelObject->model.materials) EXPECT_NE(m.textureId.get(), 0u) << m.textureFile;

    ASSERT_EQ(objects.size(), 3u);
    auto* blade = as<DeathObject>(objects[0]);
    auto* pit = as<AbyssObject>(objects[1]);
    auto* plate = as<SwitchObject>(objects[2]);
    ASSERT_TRUE(blade && pit && plate);
    ASSERT_EQ(sortedObjects.size(), 1u);
    auto* lattice = as<LatticeObject>(sortedObjects[0]);
    ASSERT_NE(lattice, nullptr);
    EXPECT_TRUE(blade->animating);
    EXPECT_NE(pit->model.boundingModel, nullptr);
    EXPECT_EQ(lattice->blockAxis, 2);
    EXPECT_EQ(lattice->blockSign, -1);
    EXPECT_EQ(plate->linkedSortedObjects, std::vector<SceneObject*>{lattice});
    EXPECT_EQ(walls.size(), 4u);
    EXPECT_EQ(exitTo(2), 1);

    Player p;
    setUpPlayer(p);
    for (const auto& object : objects) EXPECT_EQ(touch(p, *object, 0, 0), HIT_NONE);
    EXPECT_EQ(touch(p, *lattice, 0, 0), HIT_NONE);

    EXPECT_EQ(touch(p, *blade, 0, -4.3f), HIT_MESH);
    EXPECT_EQ(touch(p, *blade, 1.2f, -5), HIT_NONE);
    EXPECT_EQ(touch(p, *pit, 1, -7.75f), HIT_ABYSS);
    EXPECT_EQ(touch(p, *pit, -1, -7.75f), HIT_NONE);
    p.jumpHeight = 0.1f;
    EXPECT_EQ(touch(p, *pit, 1, -7.75f), HIT_NONE) << "a jump clears the pit";
    p.jumpHeight = 0;
    EXPECT_EQ(touch(p, *lattice, 0, -11.6f), HIT_NONE);
    EXPECT_EQ(touch(p, *lattice, 0, -12), HIT_LATTICE);

    EXPECT_EQ(touch(p, *plate, 1, -10), HIT_NONE);
    EXPECT_EQ(touch(p, *plate, -1.25f, -10), HIT_SWITCH);
    lattice->activate();
    EXPECT_EQ(touch(p, *lattice, 0, -12), HIT_NONE) << "the raised lattice lets the player through";
}

TEST_F(ContentTest, LevelTwoIsARoomWithWaterAndATrapStartedByItsSwitch) {
    loadLevel(2);
    EXPECT_EQ(shown(), "");
    ASSERT_EQ(objects.size(), 2u);
    auto* bar = as<DeathObject>(objects[0]);
    auto* plate = as<SwitchObject>(objects[1]);
    ASSERT_TRUE(bar && plate);
    ASSERT_EQ(sortedObjects.size(), 1u);
    auto* water = as<WaterAbyssObject>(sortedObjects[0]);
    ASSERT_NE(water, nullptr);
    EXPECT_FALSE(bar->animating);
    EXPECT_NE(water->model.boundingModel, nullptr);
    EXPECT_NE(water->waterTexture.get(), 0u);
    EXPECT_EQ(plate->linkedObjects, std::vector<SceneObject*>{bar});
    EXPECT_EQ(exitTo(3), 1);

    Player p;
    setUpPlayer(p);
    EXPECT_EQ(touch(p, *water, 0, 0), HIT_NONE);
    EXPECT_EQ(touch(p, *water, 0, -5.5f), HIT_ABYSS);
    EXPECT_EQ(touch(p, *water, 2.5f, -5.5f), HIT_NONE);
    EXPECT_EQ(touch(p, *plate, 0, -9.5f), HIT_SWITCH);
    EXPECT_EQ(touch(p, *bar, 0, -11.5f), HIT_MESH);
    EXPECT_EQ(touch(p, *bar, 2.5f, -12.5f), HIT_NONE);
}

TEST_F(ContentTest, LevelThreeHasThreeDeadlyObjectsAndLeadsBackToLevelOne) {
    loadLevel(3);
    EXPECT_EQ(shown(), "");
    ASSERT_EQ(objects.size(), 3u);
    for (const auto& object : objects) ASSERT_NE(as<DeathObject>(object), nullptr);
    EXPECT_TRUE(sortedObjects.empty());
    EXPECT_EQ(exitTo(1), 1);

    Player p;
    setUpPlayer(p);
    for (const auto& object : objects) EXPECT_EQ(touch(p, *object, 0, -7), HIT_NONE);
    EXPECT_EQ(touch(p, *objects[2], 0, -13), HIT_MESH);
    EXPECT_EQ(touch(p, *objects[2], 2, -13), HIT_NONE);
}

// The content is held to the game's rules by the game's own readers, the
// checker level authors use: no error and no warning.
TEST_F(ContentTest, ZarnothCheckFindsNothingToReport) {
    Report report;
    Checker checker(report);
    checker.checkAll();
    std::string all;
    for (const Finding& finding : report.findings) all += report.format(finding) + "\n";
    EXPECT_EQ(all, "");
}

}  // namespace
