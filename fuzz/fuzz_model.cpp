// Feeds arbitrary bytes to the model reader, with and without static collision,
// then poses, skins and rebuilds the per-pose collision models of what it read.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "scene/Model.h"

namespace {

char inputDir[] = "/tmp/fuzz_model_input_XXXXXX";

void removeInputDir() {
    std::remove((std::string(inputDir) + "/model.txt").c_str());
    rmdir(inputDir);
}

// The input lives in a directory of its own, so no texture path it names can
// be the input file itself.
const std::string& inputPath() {
    static const std::string path = [] {
        if (!mkdtemp(inputDir)) abort();
        std::atexit(removeInputDir);
        return std::string(inputDir) + "/model.txt";
    }();
    return path;
}

void exercise(Model& model) {
    model.advanceAnimation(1.5f);
    model.advanceAnimationRange(2, 1, 3);
    float sum = 0;
    for (int i = 0; i < model.meshCount; ++i) {
        for (const Vertex& vertex : model.meshes[i].vertices) sum += model.skinnedPosition(vertex).x;
        model.meshCollisionModel(i);
    }
    volatile float sink = sum;
    (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = inputPath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    for (bool buildCollision : {true, false}) {
        Model model(buildCollision);
        // There is no GL context here. Plain texture uploads are then no-ops that
        // yield texture name 0, but building mip-maps through GLU would divide
        // by zero, so a texture file that happens to exist is loaded without them.
        model.mipmapTextures = false;
        if (model.loadModel(path.c_str())) exercise(model);
    }
    return 0;
}
