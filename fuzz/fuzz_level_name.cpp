// The level name file's reader over arbitrary bytes: whatever it hands the
// banner is a name it may show, printable ASCII of 1 to 40 characters.
#include <cstddef>
#include <cstdint>

#include "LevelFuzzSupport.h"
#include "level/LevelName.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InFuzzDirectory inDirectory;
    InFuzzDirectory::write("./levels/name1.txt", data, size);
    const LevelName read = readLevelName(1);
    if ((read.status == LevelName::Status::Read) == read.name.empty()) __builtin_trap();
    if (read.name.size() > maxLevelNameLength) __builtin_trap();
    for (const char c : read.name) {
        if (c < ' ' || c > '~') __builtin_trap();
    }
    return 0;
}
