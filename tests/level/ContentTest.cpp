// The game's own content in data/: every level loads without a message and
// holds what it was designed with; the routes themselves are proven by the
// walkthroughs in data/demos.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "GlTestContext.h"
#include "LevelTestSupport.h"
#include "game/Collision.h"
#include "game/SceneFrame.h"
#include "level/LevelLoader.h"
#include "level/Scene.h"
#include "scene/AbyssObject.h"
#include "scene/DeathObject.h"
#include "scene/LatticeObject.h"
#include "scene/Player.h"
#include "scene/SwitchObject.h"
#include "scene/WaterAbyssObject.h"

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
        configurePlayer(p);
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

TEST_F(ContentTest, PlayerReadsAsAPersonWithinItsTriangleBudget) {
    Player p;
    setUpPlayer(p);
    EXPECT_NE(p.model.boundingModel, nullptr);
    EXPECT_EQ(p.model.frameCount, 70);
    EXPECT_GE(p.model.bones.size(), 10u);
    size_t triangles = 0;
    for (int i = 0; i < p.model.meshCount; ++i) triangles += p.model.meshes[i].triangles.size();
    EXPECT_GT(triangles, 500u);
    EXPECT_LE(triangles, 2000u);
    for (const Material& m : p.model.materials) {
        if (!m.textureFile.empty()) {
            EXPECT_NE(m.textureId.get(), 0u) << m.textureFile;
        }
    }
    EXPECT_EQ(shown(), "");
}

// Each level loads without a message, textured, with its exit to the next;
// together they hold every kind of object, switches that link into both lists,
// and a still deadly object that a switch starts.
TEST_F(ContentTest, LevelsHoldEveryKindOfObjectAndLeadOnInTurn) {
    int abysses = 0, waters = 0, still = 0, moving = 0, lattices = 0, switches = 0;
    bool linksObjects = false, linksSorted = false, wakesStillObject = false;
    for (int level = 1; level <= 3; ++level) {
        loadLevel(level);
        EXPECT_EQ(shown(), "") << "level " << level;
        ASSERT_NE(levelObject, nullptr);
        for (const Material& m : levelObject->model.materials) EXPECT_NE(m.textureId.get(), 0u) << m.textureFile;
        EXPECT_EQ(exitTo(level % 3 + 1), 1) << "level " << level;
        for (const auto& object : objects) {
            if (as<AbyssObject>(object)) ++abysses;
            if (auto* d = as<DeathObject>(object)) ++(d->fps ? moving : still);
            if (auto* s = as<SwitchObject>(object)) {
                ++switches;
                linksObjects |= !s->linkedObjects.empty();
                linksSorted |= !s->linkedSortedObjects.empty();
                for (SceneObject* target : s->linkedObjects)
                    wakesStillObject |= !static_cast<DeathObject*>(target)->animating;
            }
        }
        for (const auto& object : sortedObjects) {
            if (as<WaterAbyssObject>(object)) ++waters;
            if (as<LatticeObject>(object)) ++lattices;
        }
    }
    EXPECT_GT(abysses, 0);
    EXPECT_GE(waters, 3);
    EXPECT_GE(still, 2);
    EXPECT_GE(moving, 5);
    EXPECT_GE(lattices, 3);
    EXPECT_GE(switches, 4);
    EXPECT_TRUE(linksObjects && linksSorted && wakesStillObject);
}

// A held key carries the player through an exit into the next level: eight
// units straight ahead of every start touch no object and no wall.
TEST_F(ContentTest, EveryStartHasEightUnitsOfSafeFloorAhead) {
    Player p;
    setUpPlayer(p);
    for (int level = 1; level <= 3; ++level) {
        loadLevel(level);
        for (float z = 0; z >= -8; z -= 0.25f) {
            for (const auto& object : objects) EXPECT_EQ(touch(p, *object, 0, z), HIT_NONE) << level << " " << z;
            for (const auto& object : sortedObjects) EXPECT_EQ(touch(p, *object, 0, z), HIT_NONE) << level << " " << z;
            for (const Wall& w : walls)
                EXPECT_FALSE(segmentTouchesSphere(w.x1, 0, w.z1, w.x2, 0, w.z2, 0, 0, z, playerRadius))
                    << level << " " << z;
        }
        // The first step over an edge is a fall: beside the start lies the abyss.
        bool fallsBeside = false;
        for (const auto& object : objects)
            fallsBeside |= as<AbyssObject>(object) && touch(p, *object, -2.3f, -4) == HIT_ABYSS;
        EXPECT_TRUE(fallsBeside) << "level " << level;
    }
}

}  // namespace
