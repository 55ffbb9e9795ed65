#include <cstddef>
#include <cstdint>

#include "LevelFuzzSupport.h"
#include "level/LevelFormatFile.h"
#include "level/LevelLoader.h"
#include "level/ObjectFileException.h"
#include "level/Scene.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InFuzzDirectory inDirectory;
    InFuzzDirectory::write("./levels/levelformat1.txt", data, size);
    try {
        readLevelFormatFile("./levels/levelformat1.txt");
    } catch (const ObjectFileException&) {}
    for (const Wall& wall : walls) {
        if (wall.y1 != 0 || wall.y2 != 0 || (wall.blockAxis != 0 && wall.blockAxis != 2)) __builtin_trap();
    }
    return 0;
}
