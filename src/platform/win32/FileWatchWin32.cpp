#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/FileWatch.h"
#include "platform/Paths.h"

// What a change notification may have touched: whether the file is there,
// its size and its last write time. Outside the anonymous namespace, as
// FileWatch::State holds it.
struct WatchedFileState {
    bool exists = false;
    ULONGLONG size = 0;
    ULONGLONG written = 0;
    bool operator==(const WatchedFileState&) const = default;
};

namespace {
using FileState = WatchedFileState;

FileState stateOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
    return {true, (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
            (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime};
}

constexpr DWORD notifications = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
}  // namespace

// A change notification says only that something in a directory changed, so
// each remembered file is compared with its state when it was added.
struct FileWatch::State {
    std::map<std::string, HANDLE> directories;  // directory to its notification
    std::map<std::string, FileState> files;     // path to its last known state

    ~State() {
        for (const auto& [directory, handle] : directories) FindCloseChangeNotification(handle);
    }
};

FileWatch::FileWatch() : state_(std::make_unique<State>()) {}

FileWatch::~FileWatch() = default;

bool FileWatch::usable() const { return true; }

void FileWatch::forgetFiles() { state_->files.clear(); }

void FileWatch::add(const std::string& path) {
    const std::string file = watchedPath(path);
    const std::size_t slash = file.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : file.substr(0, slash);
    state_->files[file] = stateOf(file);
    if (state_->directories.count(directory)) return;
    // A directory that does not exist yet cannot be watched; its files count as unchanged.
    const HANDLE handle = FindFirstChangeNotificationA(directory.c_str(), FALSE, notifications);
    if (handle != INVALID_HANDLE_VALUE) state_->directories[directory] = handle;
}

bool FileWatch::changed() {
    bool signalled = false;
    for (const auto& [directory, handle] : state_->directories) {
        if (WaitForSingleObject(handle, 0) == WAIT_OBJECT_0) {
            signalled = true;
            FindNextChangeNotification(handle);
        }
    }
    if (!signalled) return false;
    bool any = false;
    for (auto& [file, known] : state_->files) {
        const FileState now = stateOf(file);
        if (now != known) any = true;
        known = now;
    }
    return any;
}
