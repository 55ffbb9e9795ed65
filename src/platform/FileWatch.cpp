#include "platform/FileWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <climits>
#include <map>
#include <set>

#include "platform/Paths.h"

namespace {
constexpr unsigned events = IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM;
}

struct FileWatch::State {
    int fd = -1;
    std::map<int, std::string> directories;  // watch descriptor to directory
    std::set<std::string> files;             // "directory/name", without "./"
};

FileWatch::FileWatch() : state_(std::make_unique<State>()) { state_->fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC); }

FileWatch::~FileWatch() {
    if (state_->fd >= 0) close(state_->fd);
}

bool FileWatch::usable() const { return state_->fd >= 0; }

void FileWatch::forgetFiles() { state_->files.clear(); }

void FileWatch::add(const std::string& path) {
    if (state_->fd < 0) return;
    const std::string file = watchedPath(path);
    const std::size_t slash = file.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : file.substr(0, slash);
    state_->files.insert(slash == std::string::npos ? "./" + file : file);
    for (const auto& [descriptor, known] : state_->directories) {
        if (known == directory) return;
    }
    // A directory that does not exist yet cannot be watched; its files count as unchanged.
    const int descriptor = inotify_add_watch(state_->fd, directory.c_str(), events);
    if (descriptor >= 0) state_->directories[descriptor] = directory;
}

bool FileWatch::changed() {
    if (state_->fd < 0) return false;
    bool any = false;
    alignas(inotify_event) char buffer[16 * (sizeof(inotify_event) + NAME_MAX + 1)];
    for (;;) {
        const ssize_t length = read(state_->fd, buffer, sizeof buffer);
        if (length <= 0) return any;
        for (ssize_t offset = 0; offset + static_cast<ssize_t>(sizeof(inotify_event)) <= length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            const auto directory = state_->directories.find(event->wd);
            if (directory == state_->directories.end() || event->len == 0) continue;
            const std::string name(event->name);
            if (state_->files.count(directory->second + "/" + name)) any = true;
        }
    }
}
