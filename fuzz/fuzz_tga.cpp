// Feeds arbitrary bytes to the TGA reader through a real file, since it only
// reads from paths.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

#include "surfaces/Texture.h"

namespace {

// One file per fuzzing process, removed when the process ends normally.
struct ScratchFile {
    char path[32] = "/tmp/fuzz_tga-XXXXXX";
    ScratchFile() {
        const int fd = mkstemp(path);
        if (fd < 0) abort();
        close(fd);
    }
    ~ScratchFile() { std::remove(path); }
};

const char* scratchPath() {
    static ScratchFile scratch;
    return scratch.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(scratchPath(), "wb");
    if (!file) abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) abort();
    std::fclose(file);

    Texture texture(true);
    if (texture.readTga(scratchPath())) {
        const std::size_t bytes = std::size_t(texture.width) * std::size_t(texture.height) * 4;
        volatile std::uint8_t sink = texture.pixels[bytes - 1];
        (void)sink;
    }
    texture.releasePixels();
    return 0;
}
