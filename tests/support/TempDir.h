#pragma once
#include <filesystem>
#include <string>

// A fresh temporary directory that becomes the working directory for the
// lifetime of the object; the old one is restored and the directory removed.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes `content` to `relative` (directories created as needed).
    void write(const std::string& relative, const std::string& content) const;

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};
