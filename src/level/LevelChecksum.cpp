#include "level/LevelChecksum.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "level/LevelLoader.h"
#include "platform/Paths.h"

namespace {
// FNV-1a, 64 bits: small, and good enough to notice a changed file.
class Fnv1a {
public:
    void add(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            hash ^= bytes[i];
            hash *= 0x100000001b3ULL;
        }
    }
    void addString(const std::string& text) { add(text.c_str(), text.size() + 1); }

    std::uint64_t hash = 0xcbf29ce484222325ULL;
};

// The file's name and contents; a missing file counts by its name alone.
void addFile(Fnv1a& sum, const std::string& path) {
    sum.addString(path);
    std::unique_ptr<std::FILE, FileCloser> file(openGameFile(path.c_str(), "rb"));
    if (!file) return;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) sum.add(buffer, got);
}
}  // namespace

std::string levelFilesChecksum() {
    Fnv1a sum;
    for (int level = firstLevel; level <= lastLevel; ++level) {
        for (const LevelFile file : levelFiles) addFile(sum, levelFilePath(file, level));
    }
    std::vector<std::string> models;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("models", error)) {
        if (entry.is_regular_file(error)) models.push_back("models/" + entry.path().filename().string());
    }
    std::sort(models.begin(), models.end());
    for (const std::string& model : models) addFile(sum, model);

    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(sum.hash));
    return text;
}
