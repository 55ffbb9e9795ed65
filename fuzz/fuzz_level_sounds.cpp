// The level sound file's reader over arbitrary bytes, for a level of 5
// objects and 2 sorted objects: whatever it keeps names an object of its list
// and a valid sound name or none, and every line it leaves out is named.
#include <cstddef>
#include <cstdint>

#include "LevelFuzzSupport.h"
#include "level/LevelSounds.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InFuzzDirectory inDirectory;
    InFuzzDirectory::write("./levels/sound1.txt", data, size);
    const LevelSounds read = readLevelSounds(1, 5, 2);
    if (read.status == LevelSounds::Status::Missing) __builtin_trap();
    for (const ObjectSound& sound : read.objects) {
        if (sound.list != 'o' && sound.list != 't') __builtin_trap();
        if (sound.position >= (sound.list == 'o' ? 5u : 2u)) __builtin_trap();
        if (sound.name != noSound && !isSoundName(sound.name)) __builtin_trap();
        if (sound.line < 1) __builtin_trap();
    }
    if (!read.ambient.empty() && read.ambient != noSound && !isSoundName(read.ambient)) __builtin_trap();
    for (const LevelSounds::Problem& problem : read.problems) {
        if (problem.line < 1 || problem.text.empty()) __builtin_trap();
    }
    return 0;
}
