// How a frame's CPU time grows with the size of a level: levels of 50, 500
// and 2,000 objects, generated here over a large floor, seen from one fixed
// viewpoint; the game step, the collision pass and the draw submission (no
// swap; the driver's rendering threads are not counted) each timed alone.
// Run from the source tree (it copies data/models and data/texturen), on an X
// display: bench/scaling.sh runs it beside a baseline build.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchWindow.h"
#include "app/Frame.h"
#include "app/GameStart.h"
#include "game/Camera.h"
#include "game/Collision.h"
#include "game/GameState.h"
#include "game/GameStep.h"
#include "game/LevelEntry.h"
#include "game/SceneFrame.h"
#include "level/LevelLoader.h"
#include "level/Scene.h"
#include "platform/MessageBox.h"
#include "scene/Player.h"

namespace {
namespace fs = std::filesystem;

// Spikes, blades turning, pits, a switch and a lattice in every ten objects,
// four units apart on a square centred on the start, with room to stand there.
std::string objectBlock(int k, float x, float z) {
    char place[160];
    std::snprintf(place, sizeof place, "Translation=%g 0 %g\nRTranslation=0 0 0\nRotation=0 0 0\n", x, z);
    switch (k % 10) {
        case 4:
        case 5:
            return std::string("DeathObject\nklinge.txt\nstatic=no\nanimated=yes\nStartframe=0\n") + place +
                   "Scaling=1 1 1\nfps=8\n2\n1\n30\n8\n\n";
        case 6:
        case 7:
            return std::string("AbyssObject\nabgrund.txt\nstatic=yes\n") + place + "Scaling=1 1 1\n0\n0\n\n";
        case 8:
            return std::string("SwitchObject\n-0.1\n2\n") + place + "Scaling=0.25 0.06 0.25\n0\n0\n\n";
        case 9:
            return std::string("LatticeObject\nz -1\nUp=2.28\n") + place + "Scaling=0.82 1.14 1\n0\n0\n\n";
        default:
            return std::string("DeathObject\nstacheln.txt\nstatic=yes\nanimated=no\nStartframe=0\n") + place +
                   "Scaling=1 1 1\nfps=0\n0\n\n";
    }
}

void writeFile(const fs::path& path, const std::string& content) {
    std::FILE* out = std::fopen(path.string().c_str(), "wb");
    if (!out) std::abort();
    std::fwrite(content.data(), 1, content.size(), out);
    std::fclose(out);
}

// A data directory of its own with level 1 made of `count` objects.
class GeneratedLevel {
public:
    GeneratedLevel(int count, float pitch) {
        const fs::path source = fs::current_path() / "data";
        std::string pattern = (fs::temp_directory_path() / "zarnoth-scaling-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        path_ = pattern;
        fs::copy(source / "models", path_ / "models", fs::copy_options::recursive);
        fs::copy(source / "texturen", path_ / "texturen", fs::copy_options::recursive);
        fs::create_directory(path_ / "levels");

        constexpr float spacing = 4;
        const int side = static_cast<int>(std::ceil(std::sqrt(count + 4.0)));
        std::string blocks;
        int placed = 0;
        for (int row = 0; row < side && placed < count; ++row) {
            for (int column = 0; column < side && placed < count; ++column) {
                const float x = (column - side / 2) * spacing + 2, z = (row - side / 2) * spacing + 2;
                if (std::fabs(x) < 3 && std::fabs(z) < 3) continue;
                blocks += objectBlock(placed++, x, z);
            }
        }
        writeFile(path_ / "levels/level1.cfg", blocks);
        writeFile(path_ / "levels/levelformat1.txt", "0\n");
        writeFile(path_ / "levels/action1.txt", "");

        previous_ = fs::current_path();
        fs::current_path(path_);
        setMessageSink({});
        currentLevel = 1;
        // The first level made also makes the player.
        if (!player)
            startScene();
        else
            enterLevel(1, Arrival::AtStart);
        // The start, in the level view (pitch 0) or the camera tilted toward
        // the view from above (45 degrees: a patch of floor that the smallest
        // level already fills).
        camera.turnPitch(pitch);
        player->rotationX = camera.pitch;
    }
    ~GeneratedLevel() {
        fs::current_path(previous_);
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }

private:
    fs::path path_;
    fs::path previous_;
};

bool setUp() {
    static bool ready = false;
    if (ready) return true;
    if (!ensureBenchWindow()) return false;
    initGL();
    onReshape(640, 480);
    ready = true;
    return true;
}

// One level at a time: the benchmark's first argument is its number of
// objects, the second the camera's pitch in degrees.
void level(const benchmark::State& state) {
    static std::unique_ptr<GeneratedLevel> current;
    static std::int64_t count = -1, pitch = -1;
    if (state.range(0) == count && state.range(1) == pitch) return;
    current.reset();
    count = state.range(0);
    pitch = state.range(1);
    current = std::make_unique<GeneratedLevel>(static_cast<int>(count), static_cast<float>(pitch));
}

void BM_GameStep(benchmark::State& state) {
    if (!setUp()) return state.SkipWithError("no display");
    level(state);
    for (auto _ : state) advanceGame(1 / 60.0f);
}

void BM_CollisionPass(benchmark::State& state) {
    if (!setUp()) return state.SkipWithError("no display");
    level(state);
    // The pass uses the matrices of the frame's drawing: those of one drawing serve every pass.
    drawScene();
    glFinish();
    for (auto _ : state) {
        checkCollisions();
        dead = falling = false;
    }
}

void BM_DrawSubmission(benchmark::State& state) {
    if (!setUp()) return state.SkipWithError("no display");
    level(state);
    // Frames of play: the first drawing after a load (with its warm-up) is not one.
    drawScene();
    glFinish();
    for (auto _ : state) {
        drawScene();
        state.PauseTiming();
        glFinish();
        state.ResumeTiming();
    }
}
}  // namespace

BENCHMARK(BM_GameStep)->ArgsProduct({{50, 500, 2000}, {45, 0}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CollisionPass)->ArgsProduct({{50, 500, 2000}, {45, 0}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawSubmission)->ArgsProduct({{50, 500, 2000}, {45, 0}})->Unit(benchmark::kMicrosecond);
