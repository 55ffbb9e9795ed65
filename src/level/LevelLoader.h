#pragma once
#include <memory>
#include <string>
#include <vector>

#include "level/Wall.h"
#include "scene/SceneObject.h"

// The levels there are, and the one that is loaded.
inline constexpr int firstLevel = 1;
inline constexpr int lastLevel = 3;
extern int currentLevel;
// Textures of the levels loaded from now on are mip-mapped (key "m").
extern bool mipmapEnabled;

// The three files of level N, in the order they are read: the object file
// builds the objects that the action file names by their places.
enum class LevelFile { Objects, Format, Actions };
inline constexpr LevelFile levelFiles[] = {LevelFile::Objects, LevelFile::Format, LevelFile::Actions};
// "levels/levelN.cfg", "levels/levelformatN.txt", "levels/actionN.txt".
std::string levelFilePath(LevelFile file, int level);

// Reads level `level` (firstLevel to lastLevel) into the scene, replacing
// what was there. Throws ObjectFileException for a file it cannot read; the
// scene then holds what was built before the fault.
void loadLevel(int level);

// The three readers, on the scene of the game; each throws ObjectFileException.
void readObjectFile(const char* path);
void readLevelFormatFile(const char* path);
void readActionFile(const char* path);

// The last two on lists of the caller's, for zarnoth-check.
// `announced` learns the wall count of the first line.
void readWalls(const char* path, std::vector<Wall>& walls, int& announced);

// One block of an action file as read: its first line, letter and source.
struct LinkBlock {
    int line = 0;
    char kind = 0;
    int source = 0;
};
using ObjectList = std::vector<std::unique_ptr<SceneObject>>;
// `blocks` learns every block that was read whole.
void readLinks(const char* path, const ObjectList& objects, const ObjectList& sortedObjects,
               std::vector<LinkBlock>* blocks);
