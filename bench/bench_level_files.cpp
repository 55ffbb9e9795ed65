#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "PlainObject.h"
#include "level/ActionFile.h"
#include "level/LevelFormatFile.h"
#include "level/LevelLoader.h"
#include "level/LineReader.h"
#include "level/Scene.h"

namespace {

// Works in a private directory for the whole run, as the game works in its own.
class BenchDirectory {
public:
    BenchDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zarnoth-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        path_ = pattern;
        std::filesystem::create_directory(path_ / "levels");
    }
    ~BenchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string write(const std::string& name, const std::string& content) const {
        const std::string file = (path_ / "levels" / name).string();
        std::FILE* out = std::fopen(file.c_str(), "wb");
        std::fwrite(content.data(), 1, content.size(), out);
        std::fclose(out);
        return file;
    }

private:
    std::filesystem::path path_;
};

const BenchDirectory& benchDirectory() {
    static BenchDirectory directory;
    return directory;
}

void BM_LineReader(benchmark::State& state) {
    std::string content;
    for (int i = 0; i < 20000; ++i) content += "Translation=1.25 -3.5 " + std::to_string(i) + "\r\n";
    const std::string path = benchDirectory().write("lines.txt", content);
    std::string line;
    for (auto _ : state) {
        LineReader reader(path.c_str());
        while (reader.next(line)) benchmark::DoNotOptimize(line.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * content.size()));
}
BENCHMARK(BM_LineReader)->Unit(benchmark::kMillisecond);

void BM_LevelFormatFile(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    std::string content = std::to_string(count) + "\n";
    for (int i = 0; i < count; ++i) content += "-5.5 " + std::to_string(i) + " 5 -5 z 1 0\n";
    const std::string path = benchDirectory().write("levelformat1.txt", content);
    for (auto _ : state) {
        readLevelFormatFile(path.c_str());
        benchmark::DoNotOptimize(walls.data());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_LevelFormatFile)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_ActionFile(benchmark::State& state) {
    const int blocks = static_cast<int>(state.range(0));
    objects.clear();
    sortedObjects.clear();
    for (int i = 0; i < 100; ++i) objects.push_back(std::make_unique<PlainObject>());
    for (int i = 0; i < 100; ++i) sortedObjects.push_back(std::make_unique<PlainObject>());
    std::string content;
    for (int i = 0; i < blocks; ++i) {
        content += "o " + std::to_string(i % 100) + "\nnum 2\n1\n2\nnum 1\n" + std::to_string(i % 100) + "\n\n";
    }
    const std::string path = benchDirectory().write("action1.txt", content);
    for (auto _ : state) {
        readActionFile(path.c_str());
        state.PauseTiming();
        for (auto& object : objects) object->linkedObjects.clear(), object->linkedSortedObjects.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * blocks);
    objects.clear();
    sortedObjects.clear();
}
BENCHMARK(BM_ActionFile)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
