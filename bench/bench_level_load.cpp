// A level load with and without sound, in CPU time of the loading thread:
// the object, wall and action files, every model and texture, and with sound
// (OpenAL Soft's null device: every source made and started as on a real
// one) the level's sound file and its objects' sounds. The first load of a
// run also reads the sound files: BM_ReadSoundFiles is that part alone, and
// BM_LevelSounds the sound part of every load.
// Needs $DISPLAY (textures are uploaded); run in the source's data/ directory:
//   cd data && ../scripts/with-xvfb.sh ../build-release/bench/bench_level_load
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchWindow.h"
#include "game/GameSounds.h"
#include "game/LevelEntry.h"
#include "level/LevelLoader.h"
#include "sound/SoundFile.h"

namespace {
void BM_LevelLoad(benchmark::State& state) {
    if (!ensureBenchWindow()) {
        state.SkipWithError("no display");
        return;
    }
    const int level = static_cast<int>(state.range(0));
    const bool sound = state.range(1) != 0;
    if (sound) {
        setenv("ALSOFT_DRIVERS", "null", 1);
        startSound({});
        enterLevel(level, Arrival::WhereStanding);  // the sound files are read once per run: not counted
    }
    for (auto _ : state) {
        currentLevel = level;
        enterLevel(level, Arrival::WhereStanding);
    }
    endSound();
    state.SetLabel(sound ? "sound" : "no sound");
}
BENCHMARK(BM_LevelLoad)
    ->ArgsProduct({{1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The sound part of a load alone: the level's sound file, its objects'
// sources made, placed and started (the sound files already read).
void BM_LevelSounds(benchmark::State& state) {
    if (!ensureBenchWindow()) {
        state.SkipWithError("no display");
        return;
    }
    const int level = static_cast<int>(state.range(0));
    setenv("ALSOFT_DRIVERS", "null", 1);
    startSound({});
    currentLevel = level;
    enterLevel(level, Arrival::WhereStanding);
    for (auto _ : state) startLevelSounds(level);
    endSound();
}
BENCHMARK(BM_LevelSounds)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond)->Repetitions(3)->ReportAggregatesOnly(true);

void BM_ReadSoundFiles(benchmark::State& state) {
    std::size_t samples = 0;
    for (auto _ : state) {
        for (const auto& entry : std::filesystem::directory_iterator("sounds")) {
            SoundSamples sound;
            std::string error;
            if (readSoundFile(entry.path().string(), sound, error)) samples += sound.samples.size();
        }
    }
    benchmark::DoNotOptimize(samples);
}
BENCHMARK(BM_ReadSoundFiles)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
}  // namespace
