#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "level/ObjectFile.h"

// levels/soundN.txt, an optional file: which sound each object of level N
// plays and the level's ambient bed. One setting a line, `#` starts a
// comment, blank lines are skipped:
//
//   ambient NAME      the level's bed, quiet under the rest
//   o I NAME          the sound of objects[I] (abysses, switches, deadly objects)
//   t I NAME          the sound of sortedObjects[I] (water, lattices)
//
// Objects are named by their place in the two lists, counted from 0 in the
// order of their blocks in the object file, as the action file names them.
// NAME is the sound file sounds/NAME.wav, or `none` for silence. A later line
// for the same object (or a second ambient line) wins.

// "levels/soundN.txt".
std::string levelSoundPath(int level);

// The file of a sound name: "sounds/NAME.wav".
std::string soundFilePath(std::string_view name);

// Lower-case letters, digits, '-' and '_', 1 to maxSoundNameLength of them:
// a file name without its folder and extension.
inline constexpr std::size_t maxSoundNameLength = 32;
bool isSoundName(std::string_view name);

// The word that silences an object or the ambient bed.
inline constexpr std::string_view noSound = "none";

// What is heard where the level's file names nothing: the bed of every
// level, and the sound of an object by its kind (a deadly object's loop while
// it moves, water's loop, a switch's click, a lattice's rumble as it rises;
// an abyss and the level itself are silent: an empty name).
inline constexpr std::string_view defaultAmbientSound = "wind";
std::string_view defaultObjectSound(BlockKind kind);

struct ObjectSound {
    char list = 'o';  // 'o': objects, 't': sortedObjects
    std::size_t position = 0;
    std::string name;  // a sound name, or noSound
    int line = 0;
};

struct LevelSounds {
    enum class Status {
        Missing,     // no such file: every object and the bed sound by default
        Unreadable,  // the file exists but cannot be opened or read
        Read,        // what follows was read; `problems` holds the lines left out
    };
    struct Problem {
        int line;
        std::string text;
    };
    Status status = Status::Missing;
    std::string ambient;  // empty: not given
    int ambientLine = 0;
    std::vector<ObjectSound> objects;  // in file order
    std::vector<Problem> problems;     // lines left out, in file order
};

// Reads the sound file of level `level` for a level whose object file made
// `objectCount` objects and `sortedCount` sorted objects. Never throws: a
// line that does not parse, names no object of its list or no valid sound
// name is left out with a problem, and the rest of the file still counts.
LevelSounds readLevelSounds(int level, std::size_t objectCount, std::size_t sortedCount);
