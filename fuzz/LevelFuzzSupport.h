#pragma once
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

// The fuzzers read level files by their game paths from a private directory,
// so that "./levels/..." and "./models/..." name only what they write. They
// step into it only around each input: libFuzzer reads its corpus files by
// the paths it was given, relative to the directory it was started in.
class InFuzzDirectory {
public:
    InFuzzDirectory() : previous_(open(".", O_RDONLY | O_DIRECTORY)) {
        if (previous_ < 0 || chdir(directory().c_str()) != 0) std::abort();
    }
    ~InFuzzDirectory() {
        if (fchdir(previous_) != 0) std::abort();
        close(previous_);
    }
    InFuzzDirectory(const InFuzzDirectory&) = delete;
    InFuzzDirectory& operator=(const InFuzzDirectory&) = delete;

    // Writes one input as the file at `path`.
    static void write(const char* path, const std::uint8_t* data, std::size_t size) {
        std::FILE* file = std::fopen(path, "wb");
        if (!file) std::abort();
        if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
        std::fclose(file);
    }

private:
    // Kept alive until the process ends, so the exit handler can still remove it.
    static const std::string& directory() {
        static const std::string* path = [] {
            auto* pattern = new std::string((std::filesystem::temp_directory_path() / "zarnoth-fuzz-XXXXXX").string());
            if (!mkdtemp(pattern->data())) std::abort();
            std::filesystem::create_directory(std::filesystem::path(*pattern) / "levels");
            return pattern;
        }();
        static const bool removedAtExit = std::atexit(removeDirectory) == 0;
        (void)removedAtExit;
        return *path;
    }
    static void removeDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(directory(), ignored);
    }

    int previous_;
};
