#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "GlTestContext.h"
#include "LevelTestSupport.h"
#include "TgaWriter.h"
#include "game/Collision.h"
#include "game/GameState.h"
#include "game/SceneFrame.h"
#include "level/LevelLoader.h"
#include "level/ObjectFile.h"
#include "level/ObjectFileException.h"
#include "scene/AbyssObject.h"
#include "scene/DeathObject.h"
#include "scene/LatticeObject.h"
#include "scene/SwitchObject.h"
#include "scene/WaterAbyssObject.h"

namespace {

class ObjectFile : public ::testing::Test {
protected:
    void SetUp() override {
        ensureGlContext();
        clearSceneGlobals();
        dir.write("models/tri.txt", triangleModel());
    }
    void TearDown() override {
        clearSceneGlobals();
        mipmapEnabled = true;
    }

    std::string read(const std::string& content) {
        dir.write("levels/level1.cfg", content);
        try {
            readObjectFile("./levels/level1.cfg");
        } catch (const ObjectFileException& error) {
            return error.what();
        }
        return "";
    }

    template <typename T>
    static T* as(const std::unique_ptr<SceneObject>& object) {
        return dynamic_cast<T*>(object.get());
    }

    TempDir dir;
};

bool hasModel(const ModelObject& object) { return object.model.meshCount > 0; }

}  // namespace

TEST_F(ObjectFile, ReadsTheSampleFile) {
    EXPECT_EQ(read("Level\ntri.txt\nstatic=yes\nTranslation=0 0 0\nRTranslation=0 0 0\nRotation=0 0 0\n"
                   "Scaling=1 1 1\n0\n0\n\nDeathObject\ntri.txt\nstatic=no\nanimated=no\nStartframe=10\n"
                   "Translation=2 0 -3\nRTranslation=0 0.5 0\nRotation=0 90 0\nScaling=0.01 0.01 0.01\n"
                   "fps=25\n2\n1\n40\n25\n"),
              "");
    ASSERT_NE(levelObject, nullptr);
    EXPECT_TRUE(hasModel(*levelObject));
    EXPECT_NE(levelObject->displayList.get(), 0u);

    ASSERT_EQ(objects.size(), 1u);
    EXPECT_TRUE(sortedObjects.empty());
    auto* death = as<DeathObject>(objects[0]);
    ASSERT_NE(death, nullptr);
    EXPECT_TRUE(hasModel(*death));
    EXPECT_FALSE(death->model.buildCollision);
    EXPECT_FALSE(death->animating);
    EXPECT_FLOAT_EQ(death->position.x, 2);
    EXPECT_FLOAT_EQ(death->position.z, -3);
    EXPECT_FLOAT_EQ(death->pivot.y, 0.5f);
    EXPECT_FLOAT_EQ(death->rotationY, 90);
    EXPECT_FLOAT_EQ(death->scale.y, 0.01f);
    EXPECT_EQ(death->fps, 25);
    EXPECT_EQ(death->segmentCount, 2);
    EXPECT_EQ(death->segmentStart, (std::vector<int>{1, 40}));
    EXPECT_EQ(death->segmentSpeeds, (std::vector<float>{25}));
    EXPECT_EQ(death->displayList.get(), 0u);
}

TEST_F(ObjectFile, EveryKeywordBuildsItsObjectIntoItsList) {
    EXPECT_EQ(read(modelBlock("WaterAbyssObject") + modelBlock("AbyssObject") + latticeBlock("x -1") + switchBlock() +
                   deathBlock() + "\n\n" + latticeBlock("z 1")),
              "");
    ASSERT_EQ(objects.size(), 3u);
    ASSERT_EQ(sortedObjects.size(), 3u);

    auto* abyss = as<AbyssObject>(objects[0]);
    ASSERT_NE(abyss, nullptr);
    EXPECT_TRUE(hasModel(*abyss));
    EXPECT_NE(abyss->displayList.get(), 0u);
    ASSERT_NE(as<SwitchObject>(objects[1]), nullptr);
    EXPECT_FLOAT_EQ(as<SwitchObject>(objects[1])->pressDistance, 0.1f);
    EXPECT_EQ(as<SwitchObject>(objects[1])->pressAxis, 2);
    ASSERT_NE(as<DeathObject>(objects[2]), nullptr);

    auto* water = as<WaterAbyssObject>(sortedObjects[0]);
    ASSERT_NE(water, nullptr);
    EXPECT_TRUE(hasModel(*water));
    auto* lattice = as<LatticeObject>(sortedObjects[1]);
    ASSERT_NE(lattice, nullptr);
    EXPECT_EQ(lattice->blockAxis, 0);
    EXPECT_EQ(lattice->blockSign, -1);
    EXPECT_FLOAT_EQ(lattice->upStep, 0.5f);
    ASSERT_NE(as<LatticeObject>(sortedObjects[2]), nullptr);
    EXPECT_EQ(sortedObjects[2]->blockAxis, 2);
    EXPECT_EQ(sortedObjects[2]->blockSign, 1);

    // A file without a "Level" block still has a level object: identity placement, no model.
    ASSERT_NE(levelObject, nullptr);
    EXPECT_FALSE(hasModel(*levelObject));
    EXPECT_EQ(levelObject->position.x, 0);
    EXPECT_EQ(levelObject->scale.x, 1);
}

TEST_F(ObjectFile, OnlyExactKeywordLinesOpenABlock) {
    // The lines of an ignored block are ignored too, unless one is itself a keyword.
    EXPECT_EQ(read("AbyssObject \n" + modelBlock("X").substr(2) + " DeathObject\n" + deathBlock().substr(12) +
                   "switchobject\n" + switchBlock().substr(13) + "Level\r\n" + modelBlock("Level").substr(6) +
                   "garbage\n" + latticeBlock()),
              "");
    EXPECT_TRUE(objects.empty());
    EXPECT_EQ(sortedObjects.size(), 1u);
    EXPECT_TRUE(hasModel(*levelObject));
}

TEST_F(ObjectFile, DeathObjectFlagsCountOnlyAnExactYes) {
    EXPECT_EQ(read(deathBlock("tri.txt", "no", "0", "Yes") + deathBlock("tri.txt", "yes", "0", "yes") +
                   deathBlock("tri.txt", "YES", "0", "no")),
              "");
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_FALSE(as<DeathObject>(objects[0])->model.buildCollision);
    EXPECT_TRUE(as<DeathObject>(objects[1])->model.buildCollision);
    EXPECT_TRUE(as<DeathObject>(objects[1])->animating);
    EXPECT_FALSE(as<DeathObject>(objects[2])->animating);
}

TEST_F(ObjectFile, TheStartFrameAdvancesADeathObjectOnceWhateverAnimatedSays) {
    EXPECT_EQ(
        read(deathBlock("tri.txt", "no", "10") + deathBlock("tri.txt", "no", "0") + deathBlock("tri.txt", "yes", "10")),
        "");
    ASSERT_EQ(objects.size(), 3u);
    auto* still = as<DeathObject>(objects[0]);
    auto* unmoved = as<DeathObject>(objects[1]);
    auto* moving = as<DeathObject>(objects[2]);
    const float initial = unmoved->model.currentFrame;
    EXPECT_FLOAT_EQ(still->model.currentFrame, initial + 10);
    EXPECT_FLOAT_EQ(moving->model.currentFrame, initial + 10);

    still->update(5);
    EXPECT_FLOAT_EQ(still->model.currentFrame, initial + 10);
    moving->update(5);
    EXPECT_FLOAT_EQ(moving->model.currentFrame, initial + 15);
    still->activate();
    still->update(5);
    EXPECT_FLOAT_EQ(still->model.currentFrame, initial + 15);
}

TEST_F(ObjectFile, SegmentLinesFollowTheCount) {
    // One segment: one start line and no speed line, so the next line is a keyword again.
    EXPECT_EQ(read("SwitchObject\n0.1\n2\n" + placement() + "0\n1\n7\n" + switchBlock()), "");
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]->segmentStart, std::vector<int>{7});
    EXPECT_TRUE(objects[0]->segmentSpeeds.empty());

    EXPECT_EQ(read("SwitchObject\n0.1\n2\n" + placement() + "0\n-3\n" + switchBlock()), "");
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]->segmentCount, -3);
    EXPECT_TRUE(objects[0]->segmentStart.empty());
    EXPECT_TRUE(objects[0]->segmentSpeeds.empty());

    EXPECT_EQ(read("SwitchObject\n0.1\n2\n" + placement() + "0\n3\n1\n2\n3\n0.5\n1e3\n"), "");
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0]->segmentSpeeds, (std::vector<float>{0.5f, 1000}));
}

TEST_F(ObjectFile, TheEndOfTheFileDropsOnlyTheCutOffBlock) {
    const std::string death = deathBlock();
    for (std::size_t cut = death.find('\n'); cut + 1 < death.size(); cut = death.find('\n', cut + 1)) {
        EXPECT_EQ(read(switchBlock() + modelBlock("WaterAbyssObject") + death.substr(0, cut)), "") << cut;
        EXPECT_EQ(objects.size(), 1u) << cut;
        EXPECT_EQ(sortedObjects.size(), 1u) << cut;
    }

    // A huge announced count is read line by line and ends with the file.
    EXPECT_EQ(read(switchBlock() + "SwitchObject\n0.1\n2\n" + placement() + "0\n2000000000\n1\n2\n3\n"), "");
    EXPECT_EQ(objects.size(), 1u);

    // A cut-off "Level" block keeps what it read and has no model.
    EXPECT_EQ(read("Level\ntri.txt\nstatic=yes\nTranslation=1 2 3\nRTranslation=0 0 0\n"), "");
    EXPECT_FLOAT_EQ(levelObject->position.y, 2);
    EXPECT_FALSE(hasModel(*levelObject));
    EXPECT_EQ(levelObject->displayList.get(), 0u);

    EXPECT_EQ(read(""), "");
    EXPECT_TRUE(objects.empty());
    EXPECT_TRUE(sortedObjects.empty());
}

TEST_F(ObjectFile, MalformedLinesStopWithTheObjectsBeforeThem) {
    const std::string before = switchBlock() + modelBlock("WaterAbyssObject");
    struct Case {
        std::string block;
        const char* message;
    };
    const std::string tail = "static=yes\n" + placement() + "0\n0\n";
    for (const Case& c : {
             Case{"AbyssObject\n\n" + tail, "Kein Filename angegeben."},
             Case{"AbyssObject\n   \t\n" + tail, "Kein Filename angegeben."},
             Case{"AbyssObject\nmissing.txt\n" + tail, "Fehler"},
             Case{"AbyssObject\ntri.txt\nstatic =yes\n" + placement() + "0\n0\n", "Fehler."},
             Case{"AbyssObject\ntri.txt\nstatic=\n" + placement() + "0\n0\n", "Fehler."},
             Case{"AbyssObject\ntri.txt\nstatic=yes\n Translation=0 0 0\n", "Fehler."},
             Case{"AbyssObject\ntri.txt\nstatic=yes\nTranslation=0 0\n", "Fehler."},
             Case{"AbyssObject\ntri.txt\nstatic=yes\n" + placement() + "fps\n0\n", "Fehler."},
             Case{"AbyssObject\ntri.txt\nstatic=yes\n" + placement() + "0\n\n", "Fehler."},
             Case{"AbyssObject\ntri.txt\nstatic=yes\n" + placement() + "0\n2\n1\n2\n\n", "Fehler."},
             Case{"DeathObject\ntri.txt\nstatic=no\nanimated=no\nStartframe=x\n", "Fehler."},
             Case{"DeathObject\ntri.txt\nstatic=no\nanimated=\n", "Fehler."},
             Case{"DeathObject\ntri.txt\nstatic=no\nanimated=no\nStartframe=0\n" + placement() + "25\n0\n", "Fehler."},
             Case{latticeBlock("y 1"), "Fehler."},
             Case{latticeBlock("X 1"), "Fehler."},
             Case{latticeBlock("x"), "Fehler."},
             Case{latticeBlock(" x 1"), "Fehler."},
             Case{"LatticeObject\nx 1\nUp 0.5\n", "Fehler."},
             Case{"SwitchObject\nfar\n", "Fehler."},
             Case{deathBlock("missing.txt"), "Fehler"},
         }) {
        EXPECT_EQ(read(before + c.block + switchBlock()), c.message) << c.block;
        EXPECT_EQ(objects.size(), 1u) << c.block;
        EXPECT_EQ(sortedObjects.size(), 1u) << c.block;
    }
}

TEST_F(ObjectFile, WordsLongerThan39CharactersAreRejected) {
    const std::string name39 = std::string(35, 'm') + ".txt";
    dir.write("models/" + name39, triangleModel());
    EXPECT_EQ(read(modelBlock("AbyssObject", name39)), "");
    EXPECT_EQ(objects.size(), 1u);

    EXPECT_EQ(read(modelBlock("AbyssObject", "x" + name39)), "Fehler.");
    EXPECT_EQ(read(modelBlock("AbyssObject", std::string(5000, 'm'))), "Fehler.");
    EXPECT_EQ(read(deathBlock("tri.txt", std::string(40, 'n'))), "Fehler.");
    EXPECT_EQ(read(deathBlock("tri.txt", "no", "0", std::string(40, 'n'))), "Fehler.");
    EXPECT_TRUE(objects.empty());
}

TEST_F(ObjectFile, ModelFailuresAndASecondLevelBlockLeaveTheLevelWithoutAModel) {
    EXPECT_EQ(read(modelBlock("Level") + modelBlock("Level", "missing.txt")), "Fehler");
    EXPECT_FALSE(hasModel(*levelObject));
    EXPECT_EQ(levelObject->displayList.get(), 0u);

    // A second good block replaces the first model instead of adding to it.
    EXPECT_EQ(read(modelBlock("Level") + modelBlock("Level")), "");
    EXPECT_EQ(levelObject->model.meshCount, 1);
    EXPECT_NE(levelObject->displayList.get(), 0u);

    EXPECT_EQ(read(modelBlock("Level") + "Level\ntri.txt\n"), "");
    EXPECT_FALSE(hasModel(*levelObject));
    EXPECT_EQ(levelObject->displayList.get(), 0u);
}

TEST_F(ObjectFile, TheSceneIsClearedBeforeTheFileIsOpened) {
    EXPECT_EQ(read(modelBlock("Level") + switchBlock() + latticeBlock()), "");
    ASSERT_TRUE(hasModel(*levelObject));
    try {
        readObjectFile("./levels/level7.cfg");
        ADD_FAILURE() << "a missing file must not read";
    } catch (const ObjectFileException& error) {
        EXPECT_STREQ(error.what(), "Lesefehler.");
    }
    EXPECT_TRUE(objects.empty());
    EXPECT_TRUE(sortedObjects.empty());
    // A fresh level object: the allocator may well give it the old one's address.
    ASSERT_NE(levelObject, nullptr);
    EXPECT_FALSE(hasModel(*levelObject));
    EXPECT_TRUE(levelObject->model.buildCollision);
}

TEST_F(ObjectFile, ModelsFollowTheMipmapSwitch) {
    mipmapEnabled = false;
    EXPECT_EQ(read(modelBlock("Level") + modelBlock("AbyssObject") + deathBlock()), "");
    EXPECT_FALSE(levelObject->model.mipmapTextures);
    EXPECT_FALSE(as<AbyssObject>(objects[0])->model.mipmapTextures);
    EXPECT_FALSE(as<DeathObject>(objects[1])->model.mipmapTextures);
}

TEST_F(ObjectFile, EveryBlockLoadsItsOwnModelAndTextures) {
    dir.write("texturen/red.tga", makeTga(2, 2, std::vector<std::uint8_t>(16, 200)));
    dir.write("models/red.txt", texturedTriangleModel());
    EXPECT_EQ(read(modelBlock("AbyssObject", "red.txt") + modelBlock("AbyssObject", "red.txt")), "");
    ASSERT_EQ(objects.size(), 2u);
    const Model& first = as<AbyssObject>(objects[0])->model;
    const Model& second = as<AbyssObject>(objects[1])->model;
    ASSERT_EQ(first.materials.size(), 1u);
    ASSERT_EQ(second.materials.size(), 1u);
    EXPECT_NE(first.materials[0].textureId.get(), 0u);
    EXPECT_NE(second.materials[0].textureId.get(), 0u);
    EXPECT_NE(first.materials[0].textureId.get(), second.materials[0].textureId.get());
}

TEST_F(ObjectFile, OddNumbersAreStoredAsRead) {
    EXPECT_EQ(read("SwitchObject\n1e40\n70000\nTranslation=nan inf -inf\nRTranslation=0 0 0\n"
                   "Rotation=0 0 0\nScaling=1 1 1\n0\n0\n"),
              "");
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_TRUE(std::isnan(objects[0]->position.x));
    EXPECT_TRUE(std::isinf(objects[0]->position.y));
    EXPECT_TRUE(std::isinf(as<SwitchObject>(objects[0])->pressDistance));
}
