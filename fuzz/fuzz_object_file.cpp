#include <cstddef>
#include <cstdint>

#include "LevelFuzzSupport.h"
#include "level/LevelLoader.h"
#include "level/ObjectFile.h"
#include "level/ObjectFileException.h"
#include "level/Scene.h"

// No model file exists in the fuzz directory, so every model-bearing block
// ends in a failed load; the rest of the grammar is exercised in full.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InFuzzDirectory inDirectory;
    InFuzzDirectory::write("./levels/level1.cfg", data, size);
    try {
        readObjectFile("./levels/level1.cfg");
    } catch (const ObjectFileException&) {}
    if (!levelObject) __builtin_trap();
    for (const auto* list : {&objects, &sortedObjects}) {
        for (const auto& object : *list) {
            // A finished block holds exactly the segment lines it announced.
            const std::size_t count = object->segmentCount > 0 ? static_cast<std::size_t>(object->segmentCount) : 0;
            if (object->segmentStart.size() != count) __builtin_trap();
            if (object->segmentSpeeds.size() != (count > 0 ? count - 1 : 0)) __builtin_trap();
        }
    }
    return 0;
}
