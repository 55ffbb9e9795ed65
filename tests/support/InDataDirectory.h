#pragma once
#include <filesystem>

// The shipped content: the working directory is the source tree's data/ for
// the object's lifetime, as the game's own is.
class InDataDirectory {
public:
    InDataDirectory() : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(ZARNOTH_SOURCE_DIR "/data");
    }
    ~InDataDirectory() { std::filesystem::current_path(previous_); }
    InDataDirectory(const InDataDirectory&) = delete;
    InDataDirectory& operator=(const InDataDirectory&) = delete;

private:
    std::filesystem::path previous_;
};
