// Loading, posing and skinning a generated model of about 1 MB:
// 20k vertices and 10k triangles in 4 meshes, 40 bones with keys over 100 frames, no textures.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "BenchWindow.h"
#include "scene/Model.h"

namespace {

constexpr int meshCount = 4;
constexpr int verticesPerMesh = 5000;
constexpr int normalsPerMesh = verticesPerMesh / 10 + 1;
constexpr int trianglesPerMesh = verticesPerMesh / 2 - 1;
constexpr int boneCount = 40;
constexpr int frameCount = 100;

std::string generateModel() {
    std::string text = "// generated for the benchmark\nFrames: " + std::to_string(frameCount) + "\nFrame: 1\n";
    char line[256];
    text += "Meshes: " + std::to_string(meshCount) + "\n";
    for (int m = 0; m < meshCount; ++m) {
        std::snprintf(line, sizeof line, "\"Mesh%d\" 0 0\n%d\n", m, verticesPerMesh);
        text += line;
        for (int i = 0; i < verticesPerMesh; ++i) {
            const float a = i * 0.01f;
            std::snprintf(line, sizeof line, "0 %.4f %.4f %.4f %.3f %.3f %d\n", std::cos(a) * 10, i * 0.002f,
                          std::sin(a) * 10, (i % 100) / 100.0f, (i / 100 % 100) / 100.0f,
                          (m * 10 + i % 10) % boneCount);
            text += line;
        }
        text += std::to_string(normalsPerMesh) + "\n";
        for (int i = 0; i < normalsPerMesh; ++i) {
            std::snprintf(line, sizeof line, "%.4f %.4f %.4f\n", std::cos(i * 0.1f), 0.0f, std::sin(i * 0.1f));
            text += line;
        }
        text += std::to_string(trianglesPerMesh) + "\n";
        for (int t = 0; t < trianglesPerMesh; ++t) {
            const int i = 2 * t;
            const int n = i / 10;
            std::snprintf(line, sizeof line, "0 %d %d %d %d %d %d 1\n", i, i + 1, i + 2, n, n, n + 1);
            text += line;
        }
    }
    text += "Materials: 1\n\"Skin\"\n0.2 0.2 0.2 1\n0.8 0.8 0.8 1\n0 0 0 1\n0 0 0 1\n10\n0\n\"\"\n\"\"\n";
    text += "Bones: " + std::to_string(boneCount) + "\n";
    for (int b = 0; b < boneCount; ++b) {
        std::snprintf(line, sizeof line, "\"Bone%d\"\n\"%s\"\n0 0.5 0.25 0 0.1 0.2 0.05\n", b,
                      b == 0 ? "" : ("Bone" + std::to_string(b - 1)).c_str());
        text += line;
        for (int kind = 0; kind < 2; ++kind) {
            text += std::to_string(frameCount / 10 + 1) + "\n";
            for (int k = 0; k <= frameCount; k += 10) {
                std::snprintf(line, sizeof line, "%d %.6f %.6f %.6f\n", k == 0 ? 1 : k, 0.01f * k, 0.02f * b,
                              0.003f * k);
                text += line;
            }
        }
    }
    return text;
}

std::size_t modelBytes = 0;

// The generated file, written once into a temporary directory.
const std::string& modelPath() {
    static const std::string path = [] {
        static char dir[] = "/tmp/bench_model_XXXXXX";
        if (!mkdtemp(dir)) abort();
        const std::string file = std::string(dir) + "/model.txt";
        const std::string text = generateModel();
        modelBytes = text.size();
        std::FILE* out = std::fopen(file.c_str(), "wb");
        if (!out) abort();
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
        std::atexit([] {
            std::remove((std::string(dir) + "/model.txt").c_str());
            rmdir(dir);
        });
        return file;
    }();
    return path;
}

void BM_LoadModel(benchmark::State& state) {
    const std::string& path = modelPath();
    for (auto _ : state) {
        Model model(state.range(0) != 0);
        if (!model.loadModel(path.c_str())) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(model.meshes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * modelBytes));
}
BENCHMARK(BM_LoadModel)->Arg(0)->Arg(1)->ArgName("staticCollision")->Unit(benchmark::kMillisecond);

void BM_PoseAllBones(benchmark::State& state) {
    Model model(false);
    if (!model.loadModel(modelPath().c_str())) state.SkipWithError("load failed");
    for (auto _ : state) {
        model.advanceAnimation(0.7f);
        benchmark::DoNotOptimize(model.bones.data());
    }
}
BENCHMARK(BM_PoseAllBones)->Unit(benchmark::kMicrosecond);

void BM_SkinAllVertices(benchmark::State& state) {
    Model model(false);
    if (!model.loadModel(modelPath().c_str())) state.SkipWithError("load failed");
    model.advanceAnimation(17);
    for (auto _ : state) {
        float sum = 0;
        for (int i = 0; i < model.meshCount; ++i) {
            for (const Vertex& vertex : model.meshes[i].vertices) {
                const Vector3 p = model.skinnedPosition(vertex);
                sum += p.x + p.y + p.z;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_SkinAllVertices)->Unit(benchmark::kMicrosecond);

// One immediate-mode draw of the posed model on llvmpipe: every corner skinned
// and sent with glNormal, glTexCoord and glVertex, as an animated object is drawn.
void BM_DrawMeshesImmediate(benchmark::State& state) {
    if (!ensureBenchWindow()) {
        state.SkipWithError("no X display");
        return;
    }
    Model model(false);
    if (!model.loadModel(modelPath().c_str())) state.SkipWithError("load failed");
    model.advanceAnimation(17);
    for (auto _ : state) {
        model.drawMeshes();
        glFinish();
    }
}
BENCHMARK(BM_DrawMeshesImmediate)->Unit(benchmark::kMicrosecond);

// What a collide of an animated object costs before any test: every mesh
// rebuilt from the current pose.
void BM_RebuildPoseCollision(benchmark::State& state) {
    Model model(false);
    if (!model.loadModel(modelPath().c_str())) state.SkipWithError("load failed");
    model.advanceAnimation(17);
    for (auto _ : state) {
        for (int i = 0; i < model.meshCount; ++i) benchmark::DoNotOptimize(model.meshCollisionModel(i));
    }
}
BENCHMARK(BM_RebuildPoseCollision)->Unit(benchmark::kMicrosecond);

}  // namespace
