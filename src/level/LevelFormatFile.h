#pragma once
#include <vector>

#include "level/Wall.h"

// Reads a level format file into `walls`. Throws ObjectFileException.
void readLevelFormatFile(const char* path);

// The same on a list of the caller's, for zarnoth-check. `announced` learns
// the wall count of the first line.
void readWalls(const char* path, std::vector<Wall>& walls, int& announced);
