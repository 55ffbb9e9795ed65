#include "platform/FileWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <climits>

#include "platform/Paths.h"

namespace {
constexpr unsigned events = IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM;
}

std::string watchedPath(const std::string& path) {
    std::string result = hostPath(path.c_str());
    while (result.rfind("./", 0) == 0) result.erase(0, 2);
    return result;
}

FileWatch::FileWatch() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FileWatch::~FileWatch() {
    if (fd_ >= 0) close(fd_);
}

void FileWatch::add(const std::string& path) {
    if (fd_ < 0) return;
    const std::string file = watchedPath(path);
    const std::size_t slash = file.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : file.substr(0, slash);
    files_.insert(slash == std::string::npos ? "./" + file : file);
    for (const auto& [descriptor, known] : directories_) {
        if (known == directory) return;
    }
    // A directory that does not exist yet cannot be watched; its files count as unchanged.
    const int descriptor = inotify_add_watch(fd_, directory.c_str(), events);
    if (descriptor >= 0) directories_[descriptor] = directory;
}

bool FileWatch::changed() {
    if (fd_ < 0) return false;
    bool any = false;
    alignas(inotify_event) char buffer[16 * (sizeof(inotify_event) + NAME_MAX + 1)];
    for (;;) {
        const ssize_t length = read(fd_, buffer, sizeof buffer);
        if (length <= 0) return any;
        for (ssize_t offset = 0; offset + static_cast<ssize_t>(sizeof(inotify_event)) <= length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            const auto directory = directories_.find(event->wd);
            if (directory == directories_.end() || event->len == 0) continue;
            const std::string name(event->name);
            if (files_.count(directory->second + "/" + name)) any = true;
        }
    }
}
