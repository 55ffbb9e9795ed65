// The settings file reader over arbitrary bytes: no overrun, no overflow.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ios>
#include <memory>
#include <vector>

#include "app/Settings.h"
#include "platform/Paths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::vector<char> bytes(data, data + size);
    std::unique_ptr<std::FILE, FileCloser> file(fmemopen(bytes.data(), bytes.size(), "r"));
    if (!file) return 0;
    Settings settings;
    try {
        settings.read(file.get());
    } catch (const std::ios_base::failure&) {}
    settings.gameModeString();
    return 0;
}
