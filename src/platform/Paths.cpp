#include "platform/Paths.h"

#include <sys/stat.h>

#include <filesystem>

std::string hostPath(const char* path) {
    std::string result = path ? path : "";
    for (char& c : result) {
        if (c == '\\') c = '/';
    }
    return result;
}

std::string watchedPath(const std::string& path) {
    std::string result = hostPath(path.c_str());
    while (result.rfind("./", 0) == 0) result.erase(0, 2);
    return result;
}

namespace {
void (*fileOpenObserver)(const std::string&) = nullptr;
}

void setFileOpenObserver(void (*observer)(const std::string& path)) { fileOpenObserver = observer; }

std::FILE* openGameFile(const char* path, const char* mode) {
    const std::string name = hostPath(path);
    if (fileOpenObserver) fileOpenObserver(name);
    // Binary mode on every platform: Windows' text mode would drop the carriage
    // return before each line feed and end the file at a Ctrl-Z, and the
    // readers must see the same bytes everywhere.
    std::string binaryMode = mode;
    if (binaryMode.find('b') == std::string::npos) binaryMode += 'b';
    std::FILE* file = std::fopen(name.c_str(), binaryMode.c_str());
    if (!file) return nullptr;
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

bool gameFileMissing(const char* path) {
    std::error_code error;
    return !std::filesystem::exists(hostPath(path), error) && !error;
}
