#include <windows.h>

#include <cstdlib>

#include "platform/UserFiles.h"

namespace {
std::string describe(const std::string& path) {
    return path + ": Windows error " + std::to_string(static_cast<unsigned long>(GetLastError()));
}

// An owned file handle, closed when it goes.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle(handle) {}
    ~Handle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool close() {
        const HANDLE closing = handle;
        handle = INVALID_HANDLE_VALUE;
        return CloseHandle(closing) != 0;
    }

    HANDLE handle;
};

bool writeAll(HANDLE file, std::string_view contents) {
    while (!contents.empty()) {
        const DWORD chunk = contents.size() > 1u << 30 ? 1u << 30 : static_cast<DWORD>(contents.size());
        DWORD written = 0;
        if (!WriteFile(file, contents.data(), chunk, &written, nullptr) || written == 0) return false;
        contents.remove_prefix(written);
    }
    return true;
}
}  // namespace

std::string userDataDirectory(std::string& problem) {
    const char* appData = std::getenv("APPDATA");
    if (appData && appData[0] != '\0') return std::string(appData) + "\\Zarnoth";
    problem = "APPDATA names no directory";
    return {};
}

bool makeUserDataDirectory(const std::string& directory, std::string& problem) {
    // %APPDATA% itself exists on every Windows; only the game's folder may be missing.
    if (!CreateDirectoryA(directory.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        problem = describe(directory);
        return false;
    }
    const DWORD attributes = GetFileAttributesA(directory.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        problem = directory + ": not a directory";
        return false;
    }
    return true;
}

bool replaceFileWhole(const std::string& path, std::string_view contents, std::string& problem) {
    // A name of this process's own: two games saving at once must not write into one new file.
    const std::string fresh = path + "." + std::to_string(static_cast<unsigned long>(GetCurrentProcessId())) + ".new";
    Handle file(CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.handle == INVALID_HANDLE_VALUE) {
        problem = describe(fresh);
        return false;
    }
    // Moved only once every byte is on the disk; the move itself is written through.
    if (!writeAll(file.handle, contents) || !FlushFileBuffers(file.handle) || !file.close()) {
        problem = describe(fresh);
        DeleteFileA(fresh.c_str());
        return false;
    }
    if (!MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        problem = describe(path);
        DeleteFileA(fresh.c_str());
        return false;
    }
    return true;
}
