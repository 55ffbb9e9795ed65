#include "level/LevelFormatFile.h"
#include "platform/ScanLine.h"

#include <cstdio>
#include <string>

#include "level/LineReader.h"
#include "level/ObjectFileException.h"
#include "level/Scene.h"

namespace {

void readWallLines(LineReader& reader, std::vector<Wall>& walls, int& count) {
    requireFields(scanLine(reader.need().c_str(), "%d", &count), 1, "the number of walls");

    // The count is not trusted: walls are added as their lines arrive.
    for (int i = 0; i < count; ++i) {
        Wall wall;
        char axis = 0;
        int sign = 0;
        requireFields(scanLine(reader.need().c_str(), "%f %f %f %f %c %d %d", &wall.x1, &wall.z1, &wall.x2, &wall.z2,
                               &axis, &sign, &wall.nextLevel),
                      7, "a wall \"x1 z1 x2 z2 axis sign target\"");
        if (axis == 'x') {
            wall.blockAxis = 0;
        } else if (axis == 'z') {
            wall.blockAxis = 2;
        } else {
            throw ObjectFileException("Fehler.", "the block axis x or z after the four coordinates");
        }
        wall.blockSign = static_cast<short>(sign);
        walls.push_back(wall);
    }
}

}  // namespace

void readWalls(const char* path, std::vector<Wall>& walls, int& announced) {
    walls.clear();
    announced = 0;
    LineReader reader(path);
    reader.readBlocks([&] { readWallLines(reader, walls, announced); });
}

void readLevelFormatFile(const char* path) {
    int announced = 0;
    readWalls(path, walls, announced);
}
