#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "LevelTestSupport.h"
#include "level/ActionFile.h"
#include "level/LevelLoader.h"
#include "level/ObjectFileException.h"

namespace {

// objects = o0, o1, o2 and sortedObjects = t0, t1, as an object file would leave them.
class ActionFile : public ::testing::Test {
protected:
    void SetUp() override {
        clearSceneGlobals();
        for (int i = 0; i < 3; ++i) objects.push_back(std::make_unique<PlainObject>());
        for (int i = 0; i < 2; ++i) sortedObjects.push_back(std::make_unique<PlainObject>());
    }
    void TearDown() override { clearSceneGlobals(); }

    std::string read(const std::string& content) {
        dir.write("levels/action1.txt", content);
        try {
            readActionFile("./levels/action1.txt");
        } catch (const ObjectFileException& error) {
            return error.what();
        }
        return "";
    }

    static SceneObject* o(int i) { return objects[static_cast<std::size_t>(i)].get(); }
    static SceneObject* t(int i) { return sortedObjects[static_cast<std::size_t>(i)].get(); }
    static std::size_t linkCount() {
        std::size_t count = 0;
        for (const auto* list : {&objects, &sortedObjects}) {
            for (const auto& object : *list) count += object->linkedObjects.size() + object->linkedSortedObjects.size();
        }
        return count;
    }

    using Links = std::vector<SceneObject*>;
    TempDir dir;
};

}  // namespace

TEST_F(ActionFile, LinksTheSourceToTargetsInBothLists) {
    EXPECT_EQ(read("o 1\nnum 1\n2\nnum 1\n1\n"), "");
    EXPECT_EQ(o(1)->linkedObjects, Links{o(2)});
    EXPECT_EQ(o(1)->linkedSortedObjects, Links{t(1)});
    EXPECT_EQ(linkCount(), 2u);
}

TEST_F(ActionFile, BlocksForOneSourceAddUpInFileOrder) {
    EXPECT_EQ(read("\n\no 0\nnum 2\n2\n2\nnum 0\n\r\n\no 0\nnum 1\n1\nnum 2\n1\n0"), "");
    EXPECT_EQ(o(0)->linkedObjects, (Links{o(2), o(2), o(1)}));
    EXPECT_EQ(o(0)->linkedSortedObjects, (Links{t(1), t(0)}));
}

TEST_F(ActionFile, TheLetterOnlyChoosesTheSourceList) {
    EXPECT_EQ(read("t 1\nnum 1\n0\nnum 1\n0\n"), "");
    EXPECT_EQ(t(1)->linkedObjects, Links{o(0)});
    EXPECT_EQ(t(1)->linkedSortedObjects, Links{t(0)});

    // Other letters (a leading blank is one) are read and checked line by line, and link nothing.
    EXPECT_EQ(read("q 7\nnum 2\n99\n-1\nnum 1\n5\n 0\nnum 1\n1\nnum -3\n"), "");
    EXPECT_EQ(linkCount(), 2u);
    EXPECT_EQ(read("q 0\nnum 1\nx\nnum 0\n"), "Fehler.");
    EXPECT_EQ(read(" o 0\nnum 0\nnum 0\n"), "Fehler.");  // a blank letter, then no number
}

TEST_F(ActionFile, CountsOfZeroOrLessHaveNoPositionLines) {
    EXPECT_EQ(read("o 2\nnum 0\nnum -1\no 1\nnum 1\n0\nnum 0\n"), "");
    EXPECT_TRUE(o(2)->linkedObjects.empty());
    EXPECT_EQ(o(1)->linkedObjects, Links{o(0)});
}

TEST_F(ActionFile, TheEndOfTheFileKeepsEveryLinkMadeBeforeIt) {
    EXPECT_EQ(read(""), "");
    EXPECT_EQ(read("\n\n"), "");
    EXPECT_EQ(linkCount(), 0u);

    EXPECT_EQ(read("o 1\nnum 3\n0\n2"), "");
    EXPECT_EQ(o(1)->linkedObjects, (Links{o(0), o(2)}));
}

TEST_F(ActionFile, MalformedLinesStopWithTheLinksBeforeThem) {
    const std::string good = "o 1\nnum 1\n2\nnum 0\n";
    struct Case {
        const char* bad;
        const char* why;
    };
    for (const Case& c :
         {Case{"o\nnum 0\nnum 0\n", "no source number"}, Case{"o x\nnum 0\nnum 0\n", "source not a number"},
          Case{"o 0\nnum\n", "no count"}, Case{"o 0\nnm 1\n0\n", "not num"},
          Case{"o 0\n num 1\n0\n", "blank before num"}, Case{"o 0\n\nnum 1\n0\n", "empty line before num"},
          Case{"o 0\nnum 1\n\n0\n", "empty line before a position"},
          Case{"o 0\nnum 1\nzero\n", "position not a number"}}) {
        SetUp();
        EXPECT_EQ(read(good + c.bad), "Fehler.") << c.why;
        EXPECT_EQ(o(1)->linkedObjects, Links{o(2)}) << c.why;
        EXPECT_TRUE(o(0)->linkedObjects.empty()) << c.why;
    }
}

TEST_F(ActionFile, PositionsOutsideTheirListAreRejected) {
    for (const char* bad : {"o 3\nnum 0\nnum 0\n", "o -1\nnum 0\nnum 0\n", "t 2\nnum 0\nnum 0\n",
                            "o 0\nnum 1\n3\nnum 0\n", "o 0\nnum 1\n-1\nnum 0\n", "o 0\nnum 0\nnum 1\n2\n",
                            "t 0\nnum 1\n0\nnum 2\n1\n2\n", "o 0\nnum 1\n2147483647\nnum 0\n"}) {
        SetUp();
        EXPECT_EQ(read(std::string("o 1\nnum 1\n2\nnum 0\n") + bad), "Fehler.") << bad;
        EXPECT_EQ(o(1)->linkedObjects, Links{o(2)}) << bad;
        EXPECT_TRUE(o(0)->linkedObjects.empty()) << bad;
    }
    // Against an empty scene every "o" or "t" position is outside.
    clearSceneGlobals();
    EXPECT_EQ(read("o 0\nnum 0\nnum 0\n"), "Fehler.");
}

TEST_F(ActionFile, AMissingFileIsAReadError) {
    EXPECT_EQ(read("o 1\nnum 1\n2\nnum 0\n"), "");
    try {
        readActionFile("./levels/action2.txt");
        ADD_FAILURE() << "a missing file must not read";
    } catch (const ObjectFileException& error) {
        EXPECT_STREQ(error.what(), "Lesefehler.");
    }
    EXPECT_EQ(o(1)->linkedObjects, Links{o(2)});
}
