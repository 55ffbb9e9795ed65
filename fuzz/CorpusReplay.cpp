// Runs a fuzz target's inputs once each, without libFuzzer: the suite's
// regression run of the committed corpus, built by any compiler into the
// sanitizer build. Arguments are files or directories of inputs (a
// directory's files in name order); arguments starting with '-' are
// libFuzzer options and are ignored, so that both programs take one command line.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
bool runInput(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // A copy of exactly the input's size, as libFuzzer hands it over, so that
    // AddressSanitizer sees a read past its end.
    const auto input = std::make_unique<std::uint8_t[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), input.get());
    LLVMFuzzerTestOneInput(input.get(), bytes.size());
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    std::size_t inputs = 0;
    bool readable = true;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.starts_with("-")) continue;
        std::vector<std::filesystem::path> paths;
        std::error_code error;
        if (std::filesystem::is_directory(argument, error)) {
            for (const auto& entry : std::filesystem::directory_iterator(argument, error)) {
                if (entry.is_regular_file()) paths.push_back(entry.path());
            }
            std::sort(paths.begin(), paths.end());
        } else {
            paths.emplace_back(argument);
        }
        for (const auto& path : paths) {
            readable = runInput(path) && readable;
            ++inputs;
        }
    }
    std::printf("%zu inputs run\n", inputs);
    return readable ? 0 : 1;
}
