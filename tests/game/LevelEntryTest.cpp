#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../level/LevelTestSupport.h"
#include "GlTestContext.h"
#include "game/Collision.h"
#include "game/GameState.h"
#include "game/LevelBanner.h"
#include "game/LevelEntry.h"
#include "game/SceneFrame.h"
#include "level/LevelLoader.h"
#include "scene/DeathObject.h"
#include "scene/LatticeObject.h"
#include "scene/SwitchObject.h"

namespace {

using Messages = std::vector<std::pair<std::string, std::string>>;
const std::string caption = "Fehler beim Lesen der Files.";

// objects = (switch, death object), sortedObjects = (lattice); the switch opens both.
const std::string objectFile = modelBlock("Level") + switchBlock() + deathBlock() + latticeBlock();
const std::string formatFile = "2\n-5 -5 5 -5 z 1 0\n4 5 5 5 z -1 2\n";
const std::string actionFile = "o 0\nnum 1\n1\nnum 1\n0\n";

class LevelEntry : public ::testing::Test {
protected:
    void SetUp() override {
        ensureGlContext();
        clearSceneGlobals();
        currentLevel = 1;
        dir.write("models/tri.txt", triangleModel());
    }
    void TearDown() override {
        clearSceneGlobals();
        currentLevel = 1;
    }

    void writeLevel(int n, const std::string& objectFile, const std::string& formatFile,
                    const std::string& actionFile) {
        const std::string number = std::to_string(n);
        dir.write("levels/level" + number + ".cfg", objectFile);
        dir.write("levels/levelformat" + number + ".txt", formatFile);
        dir.write("levels/action" + number + ".txt", actionFile);
    }

    static void setFlags() { blocked = jumpRequested = dead = falling = true; }
    static bool anyFlag() { return blocked || jumpRequested || dead || falling; }
    static std::size_t linkCount() {
        std::size_t count = 0;
        for (const auto& object : objects) count += object->linkedObjects.size() + object->linkedSortedObjects.size();
        return count;
    }

    TempDir dir;
    MessageLog log;
};

}  // namespace

TEST_F(LevelEntry, NumbersOutOfRangeAreClampedAndReadNothing) {
    writeLevel(1, objectFile, formatFile, actionFile);
    enterLevel(1, Arrival::WhereStanding);
    const LevelObject* loaded = levelObject.get();

    for (const auto& [argument, clamped] : {std::pair{0, 1}, std::pair{-7, 1}, std::pair{4, 3}, std::pair{99, 3}}) {
        setFlags();
        enterLevel(argument, Arrival::WhereStanding);
        EXPECT_EQ(currentLevel, clamped) << argument;
        EXPECT_FALSE(anyFlag()) << argument;
        EXPECT_EQ(levelObject.get(), loaded) << argument;
        EXPECT_EQ(objects.size(), 2u) << argument;
        EXPECT_EQ(walls.size(), 2u) << argument;
    }
    EXPECT_TRUE(log.messages.empty());
}

// The banner names the level wherever the player arrives at its start; a
// reload where the player stands shows none. A name the game cannot use
// leaves the number alone, and no message interrupts the play.
TEST_F(LevelEntry, ArrivingAtTheStartShowsTheLevelsBanner) {
    for (int n : {1, 2}) writeLevel(n, objectFile, formatFile, actionFile);
    dir.write("levels/name2.txt", "The Drowned Keep  \r\nnotes for the author\n");
    enterLevel(2, Arrival::AtStart);
    EXPECT_EQ(levelBanner.text, "Level 2: The Drowned Keep");
    EXPECT_FLOAT_EQ(levelBanner.secondsLeft, 3);
    ageLevelBanner(3);
    enterLevel(2, Arrival::WhereStanding);
    EXPECT_LE(levelBanner.secondsLeft, 0);

    enterLevel(1, Arrival::AtStart);  // no name file
    EXPECT_EQ(levelBanner.text, "Level 1");
    dir.write("levels/name1.txt", std::string(41, 'n'));
    ageLevelBanner(3);
    enterLevel(0, Arrival::AtStart);  // F1 on level 1: still there, back at the start
    EXPECT_EQ(levelBanner.text, "Level 1");
    EXPECT_FLOAT_EQ(levelBanner.secondsLeft, 3);
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(LevelEntry, ReadsTheThreeFilesOfTheLevelInOrder) {
    writeLevel(3, objectFile, formatFile, actionFile);
    setFlags();
    enterLevel(3, Arrival::WhereStanding);
    EXPECT_TRUE(log.messages.empty());
    EXPECT_FALSE(anyFlag());
    EXPECT_EQ(currentLevel, 3);

    ASSERT_EQ(objects.size(), 2u);
    ASSERT_EQ(sortedObjects.size(), 1u);
    EXPECT_EQ(walls.size(), 2u);
    EXPECT_EQ(walls[1].nextLevel, 2);
    // The links need the objects of the same load: the action file came last.
    EXPECT_EQ(objects[0]->linkedObjects, std::vector<SceneObject*>{objects[1].get()});
    EXPECT_EQ(objects[0]->linkedSortedObjects, std::vector<SceneObject*>{sortedObjects[0].get()});
}

TEST_F(LevelEntry, AMissingObjectFileLeavesAnEmptySceneAndThePreviousWalls) {
    writeLevel(1, objectFile, formatFile, actionFile);
    writeLevel(2, "", "0\n", "");
    std::filesystem::remove("levels/level2.cfg");
    enterLevel(1, Arrival::WhereStanding);
    setFlags();
    enterLevel(2, Arrival::WhereStanding);

    EXPECT_EQ(log.messages, (Messages{{"Lesefehler.", caption}}));
    EXPECT_FALSE(anyFlag());
    ASSERT_NE(levelObject, nullptr);
    EXPECT_EQ(levelObject->model.meshCount, 0);
    EXPECT_TRUE(objects.empty());
    EXPECT_TRUE(sortedObjects.empty());
    EXPECT_EQ(walls.size(), 2u);
}

TEST_F(LevelEntry, EmptyFilesGiveAnEmptySceneWithoutAMessage) {
    writeLevel(1, objectFile, formatFile, actionFile);
    writeLevel(2, "", "", "");
    enterLevel(1, Arrival::WhereStanding);
    enterLevel(2, Arrival::WhereStanding);
    EXPECT_TRUE(log.messages.empty());
    ASSERT_NE(levelObject, nullptr);
    EXPECT_TRUE(objects.empty());
    EXPECT_TRUE(sortedObjects.empty());
    EXPECT_TRUE(walls.empty());
}

TEST_F(LevelEntry, AnErrorStopsTheReadersAfterIt) {
    // In the object file: the blocks before it stay, nothing else is read.
    writeLevel(1, switchBlock() + modelBlock("AbyssObject", "missing.txt"), formatFile, actionFile);
    walls.push_back(Wall{});
    enterLevel(1, Arrival::WhereStanding);
    EXPECT_EQ(log.messages, (Messages{{"Fehler", caption}}));
    EXPECT_EQ(objects.size(), 1u);
    EXPECT_EQ(walls.size(), 1u);
    EXPECT_EQ(linkCount(), 0u);

    // In the level format file: every object, the walls before the error, no links.
    log.messages.clear();
    writeLevel(1, objectFile, "2\n-5 -5 5 -5 z 1 0\n4 5 5 5 y -1 2\n", actionFile);
    enterLevel(1, Arrival::WhereStanding);
    EXPECT_EQ(log.messages, (Messages{{"Fehler.", caption}}));
    EXPECT_EQ(objects.size(), 2u);
    EXPECT_EQ(sortedObjects.size(), 1u);
    EXPECT_EQ(walls.size(), 1u);
    EXPECT_EQ(linkCount(), 0u);

    // In the action file: the links made before it stay.
    log.messages.clear();
    writeLevel(1, objectFile, formatFile, "o 0\nnum 1\n1\nnum 1\n5\n");
    enterLevel(1, Arrival::WhereStanding);
    EXPECT_EQ(log.messages, (Messages{{"Fehler.", caption}}));
    EXPECT_EQ(walls.size(), 2u);
    EXPECT_EQ(linkCount(), 1u);

    log.messages.clear();
    std::filesystem::remove("levels/action1.txt");
    enterLevel(1, Arrival::WhereStanding);
    EXPECT_EQ(log.messages, (Messages{{"Lesefehler.", caption}}));
    EXPECT_EQ(objects.size(), 2u);
    EXPECT_EQ(walls.size(), 2u);
    EXPECT_EQ(linkCount(), 0u);
}

TEST_F(LevelEntry, ReloadingRebuildsTheSameSceneInItsFileState) {
    writeLevel(2, objectFile, formatFile, actionFile);
    enterLevel(2, Arrival::WhereStanding);
    auto* lattice = dynamic_cast<LatticeObject*>(sortedObjects.at(0).get());
    ASSERT_NE(lattice, nullptr);
    const float latticeY = lattice->position.y;
    lattice->activate();
    dynamic_cast<DeathObject*>(objects.at(1).get())->activate();

    enterLevel(2, Arrival::WhereStanding);
    EXPECT_TRUE(log.messages.empty());
    ASSERT_EQ(objects.size(), 2u);
    ASSERT_EQ(sortedObjects.size(), 1u);
    EXPECT_EQ(walls.size(), 2u);
    EXPECT_EQ(linkCount(), 2u);
    EXPECT_FLOAT_EQ(sortedObjects[0]->position.y, latticeY);
    EXPECT_FALSE(dynamic_cast<DeathObject*>(objects[1].get())->animating);
    EXPECT_EQ(objects[0]->linkedObjects, std::vector<SceneObject*>{objects[1].get()});
}
