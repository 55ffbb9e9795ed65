#include "platform/Paths.h"

#include <sys/stat.h>

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
    std::FILE* file = std::fopen(name.c_str(), mode);
    if (!file) return nullptr;
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}
