#include <cstdio>
#include <string>

#include "level/LevelLoader.h"
#include "level/LineReader.h"
#include "level/ObjectFileException.h"
#include "level/Scene.h"

void readLevelFormatFile(const char* path) {
    walls.clear();
    LineReader reader(path);
    try {
        int count = 0;
        requireFields(std::sscanf(reader.need().c_str(), "%d", &count), 1);

        // The count is not trusted: walls are added as their lines arrive.
        for (int i = 0; i < count; ++i) {
            Wall wall;
            char axis = 0;
            int sign = 0;
            requireFields(std::sscanf(reader.need().c_str(), "%f %f %f %f %c %d %d", &wall.x1, &wall.z1,
                                      &wall.x2, &wall.z2, &axis, &sign, &wall.nextLevel),
                          7);
            if (axis == 'x') {
                wall.blockAxis = 0;
            } else if (axis == 'z') {
                wall.blockAxis = 2;
            } else {
                throw ObjectFileException("Fehler.");
            }
            wall.blockSign = static_cast<short>(sign);
            walls.push_back(wall);
        }
    } catch (const FileEnded&) {
    }
}
