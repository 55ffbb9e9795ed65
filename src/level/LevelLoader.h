#pragma once
#include <string>

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
