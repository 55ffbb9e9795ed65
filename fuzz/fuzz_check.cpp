// zarnoth-check over a small data directory in which one file is the input:
// the first byte chooses which. The checker's own work on what the readers
// give it (names, indices, placements, links) must hold for any file.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "LevelFuzzSupport.h"
#include "TgaWriter.h"
#include "check/Checker.h"

namespace {

const char* const modelText =
    "Frames: 2\nMeshes: 2\n\"M\" 0 0\n3\n0 0 0 0 0 0 -1\n0 1 0 0 1 0 0\n0 0 1 0 0 1 -1\n1\n0 0 1\n1\n"
    "0 0 1 2 0 0 0 1\n\"BoundingBox\" 0 -1\n3\n0 0 0 0 0 0 -1\n0 1 0 0 0 0 -1\n0 0 1 0 0 0 -1\n0\n1\n"
    "0 0 1 2 0 0 0 1\nMaterials: 1\n\"S\"\n0 0 0 1\n1 1 1 1\n0 0 0 1\n0 0 0 1\n0\n1\n\"texturen/s.tga\"\n\"\"\n"
    "Bones: 1\n\"b\"\n\"\"\n0 0 0 0 0 0 0\n1\n1 0 0 0\n1\n1 0 0 0\n";
const char* const objectsText =
    "Level\nm.txt\nstatic=yes\nTranslation=0 0 0\nRTranslation=0 0 0\nRotation=0 0 0\nScaling=1 1 1\n0\n0\n"
    "AbyssObject\nm.txt\nstatic=yes\nTranslation=1 0 -3\nRTranslation=0 0 0\nRotation=0 90 0\nScaling=1 1 1\n0\n0\n"
    "SwitchObject\n-0.1\n2\nTranslation=0 0 -2\nRTranslation=0 0 0\nRotation=0 0 0\nScaling=1 1 1\n0\n0\n"
    "LatticeObject\nz 1\nUp=1\nTranslation=0 0 -4\nRTranslation=0 0 0\nRotation=0 0 0\nScaling=1 1 1\n0\n0\n";

const char* const fileNames[] = {"levels/level1.cfg", "levels/levelformat1.txt", "levels/action1.txt", "models/m.txt",
                                 "zarnoth.ini",       "texturen/s.tga",          "demos/route.txt"};

void writeText(const char* path, const std::string& text) {
    InFuzzDirectory::write(path, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    InFuzzDirectory inDirectory;
    for (const char* dir : {"models", "texturen", "demos"}) std::filesystem::create_directories(dir);
    writeText("levels/level1.cfg", objectsText);
    writeText("levels/levelformat1.txt", "2\n-3 1 3 1 z 1 0\n-3 -9 3 -9 z -1 2\n");
    writeText("levels/action1.txt", "o 1\nnum 0\nnum 1\n0\n");
    writeText("models/m.txt", modelText);
    writeText("zarnoth.ini", "Resolution=640x480\n");
    writeText("texturen/s.tga", makeTga(2, 2, std::vector<std::uint8_t>(16, 9)));
    writeText("demos/route.txt", "hold up 1\n");

    InFuzzDirectory::write(fileNames[data[0] % std::size(fileNames)], data + 1, size - 1);
    Report report;
    Checker checker(report);
    checker.checkAll();
    if (report.exitStatus() < 0 || report.exitStatus() > 2) __builtin_trap();
    return 0;
}
