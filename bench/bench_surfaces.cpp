// The per-frame work of the special surfaces: the water's wave update and
// surface, and the farthest-first order of the transparent objects.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "BenchWindow.h"
#include "scene/LatticeObject.h"
#include "scene/Placement.h"
#include "scene/WaterAbyssObject.h"

namespace {
void BM_WaveUpdate(benchmark::State& state) {
    auto water = std::make_unique<WaterAbyssObject>();
    for (auto _ : state) {
        water->updateWaves();
        benchmark::DoNotOptimize(water->heights[32][32]);
    }
}
BENCHMARK(BM_WaveUpdate);

// A small, far-away surface: the cost of the calls and vertices, not of filling pixels.
void BM_WaterSurface(benchmark::State& state) {
    ensureBenchWindow();
    auto water = std::make_unique<WaterAbyssObject>();
    water->useDisplayList = state.range(0) != 0;
    water->position = {0, 0, -50};
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1, 1, -1, 1, 1, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (auto _ : state) {
        water->drawLocal();
        glFinish();
    }
    state.SetLabel(water->useDisplayList ? "vertex array" : "triangle strips");
}
BENCHMARK(BM_WaterSurface)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_SortFarthestFirst(benchmark::State& state) {
    ensureBenchWindow();
    std::vector<std::unique_ptr<SceneObject>> objects;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-50, 50);
    for (int k = 0; k < state.range(0); ++k) {
        auto lattice = std::make_unique<LatticeObject>();
        lattice->position = {coordinate(random), 0, coordinate(random)};
        objects.push_back(std::move(lattice));
    }
    float px = 0;
    for (auto _ : state) {
        px += 0.01f;  // the player walks, the order changes a little
        sortFarthestFirst(objects, px, 0);
        benchmark::DoNotOptimize(objects.front().get());
    }
}
BENCHMARK(BM_SortFarthestFirst)->Arg(8)->Arg(64)->Arg(512);
}  // namespace
