// The progress file reader over arbitrary bytes: no overrun, and what it
// accepts is progress the game can use and writes back the same way.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ProgressFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::vector<char> bytes(data, data + size);
    Progress read;
    std::string problem;
    if (!readProgress(fmemopen(bytes.data(), bytes.size(), "r"), read, problem)) return 0;
    if (read.furthestLevel < 0 || read.furthestLevel > lastLevel) std::abort();
    for (const std::int64_t best : read.bestMilliseconds) {
        if (best < 0 || best > longestMilliseconds) std::abort();
    }
    std::string text = progressText(read);
    Progress again;
    if (!readProgress(fmemopen(text.data(), text.size(), "r"), again, problem) ||
        again.bestMilliseconds != read.bestMilliseconds || again.furthestLevel != read.furthestLevel)
        std::abort();
    return 0;
}
