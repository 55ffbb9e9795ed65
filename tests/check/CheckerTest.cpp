#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TempDir.h"
#include "TgaWriter.h"
#include "check/Checker.h"

namespace {

// A small data directory that is clean: every level is this one level.
const char* const modelText =
    "Frames: 30\nFrame: 1\nMeshes: 2\n"
    "\"Tri\" 0 0\n3\n0 0 0 0 0 0 -1\n0 1 0 0 1 0 -1\n0 0 1 0 0 1 -1\n1\n0 0 1\n1\n0 0 1 2 0 0 0 1\n"
    "\"BoundingBox\" 0 -1\n4\n0 -0.5 0 -0.5 0 0 -1\n0 0.5 0 -0.5 0 0 -1\n0 0.5 0 0.5 0 0 -1\n"
    "0 -0.5 0 0.5 0 0 -1\n0\n2\n0 0 1 2 0 0 0 1\n0 0 2 3 0 0 0 1\n"
    "Materials: 1\n\"Stone\"\n0.2 0.2 0.2 1\n0.8 0.8 0.8 1\n0 0 0 1\n0 0 0 1\n10\n0\n\"texturen/stein.tga\"\n\"\"\n"
    "Bones: 1\n\"root\"\n\"\"\n0 0 0 0 0 0 0\n1\n1 0 0 0\n1\n1 0 0 0\n";

const char* const objectsText =
    "Level\nthing.txt\nstatic=yes\nTranslation=0 0 0\nRTranslation=0 0 0\nRotation=0 0 0\nScaling=1 1 1\n0\n0\n\n"
    "AbyssObject\nthing.txt\nstatic=yes\nTranslation=0 0 -5\nRTranslation=0 0 0\nRotation=0 0 0\n"
    "Scaling=1 1 1\n0\n0\n\n"
    "SwitchObject\n-0.1\n2\nTranslation=-2 0 -3\nRTranslation=0 0 0\nRotation=0 0 0\nScaling=0.5 0.1 0.5\n0\n0\n\n"
    "LatticeObject\nz 1\nUp=1\nTranslation=0 0 -7\nRTranslation=0 0 0\nRotation=0 0 0\nScaling=3 1 1\n0\n0\n\n"
    "DeathObject\nthing.txt\nstatic=no\nanimated=no\nStartframe=0\nTranslation=2 0 -5\nRTranslation=0 0 0\n"
    "Rotation=0 0 0\nScaling=1 1 1\nfps=25\n0\n";

const char* const wallsText = "4\n-3 2 3 2 z 1 0\n-3 -10 3 -10 z -1 2\n-3 2 -3 -10 x -1 0\n3 2 3 -10 x 1 0\n";
const char* const linksText = "o 1\nnum 1\n2\nnum 1\n0\n";

std::string tga(int width, int height) {
    return makeTga(width, height, std::vector<std::uint8_t>(std::size_t(width * height * 4), 200));
}

std::string withoutBoundingBox() {
    std::string model = modelText;
    const auto begin = model.find("\"BoundingBox\"");
    model.erase(begin, model.find("Materials:") - begin);
    model.replace(model.find("Meshes: 2"), 9, "Meshes: 1");
    return model;
}

void writeCleanData(const TempDir& dir) {
    dir.write("zarnoth.ini", "Resolution=640x480\nColorDepth=32\nRefreshRate=60\nGameMode=0\n");
    dir.write("models/thing.txt", modelText);
    std::string player = modelText;
    player.replace(0, 10, "Frames: 70");
    dir.write("models/tarnel.txt", player);
    dir.write("texturen/stein.tga", tga(2, 2));
    dir.write("texturen/boden.tga", tga(4, 2));
    for (const char* n : {"1", "2", "3"}) {
        dir.write(std::string("levels/level") + n + ".cfg", objectsText);
        dir.write(std::string("levels/levelformat") + n + ".txt", wallsText);
        dir.write(std::string("levels/action") + n + ".txt", linksText);
    }
}

// Replaces the first `from` in a file by `to`; an empty `from` writes `to` as the whole file.
struct Edit {
    std::string file, from, to;
};

struct Case {
    const char* name;
    std::vector<Edit> edits;
    int exitStatus;
    // Each finding as "path:line: error" or "path:line: warning", and a part of its text.
    std::vector<std::pair<std::string, std::string>> findings;
};

const std::string cfg = "levels/level1.cfg", format = "levels/levelformat1.txt", action = "levels/action1.txt";
const std::string model = "models/thing.txt";

const Case faultCases[] = {
    {"clean", {}, 0, {}},
    // What the game refuses or misreads: one error per file, at the line the reader stopped.
    {"placement",
     {{cfg, "Translation=0 0 -5", "Translation=0 0"}},
     2,
     {{cfg + ":14: error", "expected \"Translation=x y z\" (the game shows \"Fehler.\")"}}},
    {"lattice axis", {{cfg, "z 1\nUp", "y 1\nUp"}}, 2, {{cfg + ":32: error", "block axis x or z"}}},
    {"no model name",
     {{cfg, "AbyssObject\nthing.txt", "AbyssObject\n  "}},
     2,
     {{cfg + ":12: error", "(the game shows \"Kein Filename angegeben.\")"}}},
    {"missing model",
     {{cfg, "AbyssObject\nthing.txt", "AbyssObject\nnothing.txt"}},
     2,
     {{cfg + ":12: error", "models/nothing.txt cannot be opened"}}},
    {"long model name",
     {{cfg, "AbyssObject\nthing.txt", "AbyssObject\n" + std::string(40, 'a')}},
     2,
     {{cfg + ":12: error", "at most 39 characters"}}},
    {"vertex index",
     {{model, "0 0 1 2 0 0 0 1\n\"Bound", "0 0 1 7 0 0 0 1\n\"Bound"}},
     2,
     {{model + ":12: error", "vertex indices below"}}},
    {"diffuse colour", {{model, "0.8 0.8 0.8 1", "0.8 0.8"}}, 2, {{model + ":26: error", "the diffuse colour"}}},
    {"model cut short",
     {{model, "1\n1 0 0 0\n1\n1 0 0 0\n", "1\n1 0 0 0\n"}},
     2,
     {{model + ":38: error", "the file ends where a key count"}}},
    {"missing parent", {{model, "\"root\"\n\"\"", "\"root\"\n\"trunk\""}}, 2, {{model + ":33: error", "parent"}}},
    {"wall axis letter", {{format, "3 -10 z -1 2", "3 -10 q -1 2"}}, 2, {{format + ":3: error", "block axis x or z"}}},
    {"wall count", {{format, "4\n", "four\n"}}, 2, {{format + ":1: error", "the number of walls"}}},
    {"link position", {{action, "num 1\n0", "num 1\n4"}}, 2, {{action + ":5: error", "a position below 1"}}},
    {"link count", {{action, "num 1\n2", "num one\n2"}}, 2, {{action + ":2: error", "\"num count\""}}},
    {"no action file",
     {{action, "", ""}},
     2,
     {{action + ":1: error", "cannot be opened (the game shows \"Lesefehler.\")"}}},
    {"texture",
     {{"texturen/stein.tga", "", std::string(20, '\0')}},
     2,
     {{"texturen/stein.tga:1: error", "not an uncompressed 32-bit"}}},
    {"missing texture",
     {{model, "texturen/stein.tga", "texturen/sand.tga"}},
     2,
     {{model + ":31: error", "texturen/sand.tga cannot be opened"}}},
    {"settings",
     {{"zarnoth.ini", "Resolution=640x480", "Resolution=0x480"}},
     2,
     {{"zarnoth.ini:1: error",
       "Resolution=0x480 refused: the width 0 is below 1 (the game shows \"Geladene Einstellungen ungültig.\")"}}},
    {"settings not a number",
     {{"zarnoth.ini", "Resolution=640x480", "Resolution=640xabc"}},
     2,
     {{"zarnoth.ini:1: error", "Resolution=640xabc refused: the height \"abc\" is not a number"}}},
    // What loads but is likely wrong.
    {"exit beyond level 3", {{format, "z -1 2", "z -1 4"}}, 1, {{format + ":3: warning", "exit to level 4"}}},
    {"wall sign", {{format, "3 2 z 1 0", "3 2 z 2 0"}}, 1, {{format + ":2: warning", "block sign is 2"}}},
    {"wall axis", {{format, "3 2 z 1 0", "3 2 x 1 0"}}, 1, {{format + ":2: warning", "its axis should be z"}}},
    {"fewer walls", {{format, "4\n", "5\n"}}, 1, {{format + ":1: warning", "announces 5 walls"}}},
    {"start in a wall", {{format, "-3 2 3 2 z", "-3 0.1 3 0.1 z"}}, 1, {{format + ":2: warning", "inside this wall"}}},
    {"lattice sign", {{cfg, "z 1\nUp", "z 3\nUp"}}, 1, {{cfg + ":32: warning", "block sign is 3"}}},
    {"no links",
     {{action, "o 1", "x 1"}},
     1,
     {{action + ":1: warning", "links nothing"},
      {cfg + ":21: warning", "the switch has no links"},
      {cfg + ":31: warning", "no switch raises this lattice"}}},
    {"source not a switch",
     {{action, "o 1", "o 0"}},
     1,
     {{action + ":1: warning", "not a switch"},
      {cfg + ":21: warning", "the switch has no links"},
      {cfg + ":31: warning", "no switch raises this lattice"}}},
    {"abyss without bounding box",
     {{"models/flat.txt", "", withoutBoundingBox()}, {cfg, "AbyssObject\nthing.txt", "AbyssObject\nflat.txt"}},
     1,
     {{cfg + ":12: warning", "no \"BoundingBox\""}}},
    {"player without bounding box",
     {{"models/tarnel.txt", "", withoutBoundingBox()}},
     1,
     {{"models/tarnel.txt:1: warning", "no \"BoundingBox\""},
      {"models/tarnel.txt:1: warning",
       "has 30 frames; its walk, jump, landing and death animations use frames 1 to 70"}}},
    {"out of reach",
     {{cfg, "Translation=2 0 -5", "Translation=2 0 -50"}},
     1,
     {{cfg + ":41: warning", "never come within 5 units"}}},
    // Pits lie beyond the walls by design: strafing is never blocked.
    {"pit beyond the walls", {{cfg, "Translation=0 0 -5", "Translation=0 0 -50"}}, 0, {}},
    {"parts out of reach",
     {{cfg, "Scaling=3 1 1", "Scaling=6 1 1"}},
     1,
     {{cfg + ":31: warning", "lie 6.08 units from its position"}}},
    {"start over an abyss",
     {{cfg, "Translation=0 0 -5", "Translation=0 0 0"}},
     1,
     {{cfg + ":11: warning", "lies over this abyss"}}},
    {"texture sides", {{"texturen/boden.tga", "", tga(3, 2)}}, 1, {{"texturen/boden.tga:1: warning", "3x2"}}},
    {"model outside models/",
     {{"thing.txt", "", modelText}, {cfg, "AbyssObject\nthing.txt", "AbyssObject\n../thing.txt"}},
     1,
     {{cfg + ":12: warning", "leads outside models/"}}},
    {"long mesh name",
     {{model, "\"Tri\"", "\"" + std::string(32, 't') + "\""}},
     1,
     {{model + ":4: warning", "longer than the 31 characters"}}},
    {"winding",
     {{model, "0 0 1 2 0 0 0 1\n\"Bound", "0 0 2 1 0 0 0 1\n\"Bound"}},
     1,
     {{model + ":4: warning", "triangle 0 of mesh \"Tri\" is wound against its normal"}}},
    {"no exit", {{format, "z -1 2", "z -1 0"}}, 1, {{format + ":1: warning", "the level has no exit"}}},
    {"bone order",
     {{model, "Bones: 1\n\"root\"\n\"\"\n",
       "Bones: 2\n\"arm\"\n\"root\"\n0 0 0 0 0 0 0\n1\n1 0 0 0\n1\n1 0 0 0\n\"root\"\n\"\"\n"}},
     1,
     {{model + ":34: warning", "bone \"arm\" comes before its parent \"root\""}}},
    {"key order",
     {{model, "1\n1 0 0 0\n1\n1 0 0 0\n", "2\n2 0 0 0\n1 0 0 0\n1\n1 0 0 0\n"}},
     1,
     {{model + ":34: warning", "keys of bone \"root\" are not in time order"}}},
    {"long material name",
     {{model, "\"Stone\"", "\"" + std::string(35, 's') + "\""}},
     1,
     {{model + ":24: warning", "longer than the 34 characters"}}},
    // The game drops the cut-off object, so the link to it names no object.
    {"block cut off",
     {{cfg, "Scaling=1 1 1\nfps=25\n0\n", ""}},
     2,
     {{cfg + ":48: warning", "ends inside the DeathObject block of line 41"},
      {action + ":3: error", "a position below 2"}}},
    {"script",
     {{"demos/route.txt", "", "frametime 0.02\nhold up 1\nhop 2\n"}},
     2,
     {{"demos/route.txt:3: error", "hop"}}},
    {"demo from other files",
     {{"demos/old.dem", "", "zarnoth-demo 1\nlevel 1\nsettings 640x480:32@60 window\nchecksum 0123456789abcdef\n"}},
     1,
     {{"demos/old.dem:1: warning", "recorded with other level files"}}},
    // The name file is optional; a name the game cannot show leaves the number alone.
    {"level name", {{"levels/name2.txt", "", "The Sunken Gate  \r\nnotes \x01 may follow\n"}}, 0, {}},
    {"long level name",
     {{"levels/name2.txt", "", std::string(41, 'n') + "\n"}},
     1,
     {{"levels/name2.txt:1: warning",
       "has 41 characters, more than the 40 a name may have (the game shows \"Level 2\""}}},
    {"level name not printable",
     {{"levels/name3.txt", "", "Die T\xc3\xbcr"}},
     1,
     {{"levels/name3.txt:1: warning", "other than printable ASCII at column 6"}}},
    {"empty level name", {{"levels/name1.txt", "", "  \r\n"}}, 1, {{"levels/name1.txt:1: warning", "is empty"}}},
    {"key not at the start",
     {{"zarnoth.ini", "GameMode=0", "#GameMode=0"}},
     1,
     {{"zarnoth.ini:4: warning", "GameMode= does not begin the line"}}},
    {"player's key taken",
     {{"zarnoth.ini", "GameMode=0\n",
       "GameMode=0\nKeyForward=w\nKeyJump=t\nKeyBack=w\nKeyJump=\x01\x02 much too long a name\n"}},
     1,
     {{"zarnoth.ini:6: warning",
       "KeyJump=t refused: the game already uses t for the sound (the game plays without it)"},
      {"zarnoth.ini:7: warning", "KeyBack=w refused: w is already the key of KeyForward"},
      {"zarnoth.ini:8: warning",
       "KeyJump=?? much too long a name refused: \"?? much too long a name\" is not a key name"}}},
};

class CheckerTable : public ::testing::TestWithParam<Case> {};

// The case's name as a test name and a directory name.
std::string caseName(const Case& c) {
    std::string name = c.name;
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
}

// The Windows leg compares zarnoth-check.exe with this checker on the same
// directories: with ZARNOTH_KEEP_CHECKER_CASES=DIR each case's data directory
// is kept as DIR/NAME.
void keepForComparison(const TempDir& dir, const std::string& name) {
    const char* keep = std::getenv("ZARNOTH_KEEP_CHECKER_CASES");
    if (!keep || !*keep) return;
    const std::filesystem::path target = std::filesystem::path(keep) / name;
    std::filesystem::remove_all(target);
    std::filesystem::create_directories(target);
    std::filesystem::copy(dir.path(), target, std::filesystem::copy_options::recursive);
}

}  // namespace

TEST_P(CheckerTable, EachFaultIsFoundWithItsFileLineAndExitStatus) {
    const Case& c = GetParam();
    TempDir dir;
    writeCleanData(dir);
    for (const Edit& edit : c.edits) {
        if (edit.from.empty() && edit.to.empty()) {
            std::filesystem::remove(dir.path() / edit.file);
            continue;
        }
        std::string text = edit.to;
        if (!edit.from.empty()) {
            std::ifstream in(dir.path() / edit.file, std::ios::binary);
            text.assign(std::istreambuf_iterator<char>(in), {});
            const auto at = text.find(edit.from);
            ASSERT_NE(at, std::string::npos) << edit.from;
            text.replace(at, edit.from.size(), edit.to);
        }
        dir.write(edit.file, text);
    }

    keepForComparison(dir, caseName(c));

    Report report;
    Checker checker(report);
    checker.checkAll();

    std::string all;
    for (const Finding& finding : report.findings) all += report.format(finding) + "\n";
    EXPECT_EQ(report.exitStatus(), c.exitStatus) << all;
    ASSERT_EQ(report.findings.size(), c.findings.size()) << all;
    for (std::size_t i = 0; i < c.findings.size(); ++i) {
        const std::string line = report.format(report.findings[i]);
        EXPECT_EQ(line.rfind(c.findings[i].first + ": ", 0), 0u) << line;
        EXPECT_NE(line.find(c.findings[i].second), std::string::npos) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, CheckerTable, ::testing::ValuesIn(faultCases),
                         [](const auto& info) { return caseName(info.param); });
