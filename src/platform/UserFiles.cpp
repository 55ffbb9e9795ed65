#include "platform/UserFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {
std::string describe(const std::string& path) { return path + ": " + std::strerror(errno); }

// An owned descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    // Closes it now; false when the close reports a failed write.
    bool close() {
        const int closing = fd;
        fd = -1;
        return ::close(closing) == 0;
    }

    int fd;
};

bool writeAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}
}  // namespace

std::string userDataDirectory(std::string& problem) {
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG base directory rules say.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/') return std::string(dataHome) + "/zarnoth";
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0') return std::string(home) + "/.local/share/zarnoth";
    problem = "neither XDG_DATA_HOME nor HOME names a directory";
    return {};
}

bool makeUserDataDirectory(const std::string& directory, std::string& problem) {
    // Every directory on the way, as `mkdir -p`; the base ones private to the user.
    for (std::size_t slash = directory.find('/', 1);; slash = directory.find('/', slash + 1)) {
        const std::string part = directory.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            problem = describe(part);
            return false;
        }
        if (slash == std::string::npos) break;
    }
    struct stat info {};
    if (::stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        problem = directory + ": not a directory";
        return false;
    }
    return true;
}

bool replaceFileWhole(const std::string& path, std::string_view contents, std::string& problem) {
    // A name of this process's own: two games saving at once must not write into one new file.
    const std::string fresh = path + "." + std::to_string(::getpid()) + ".new";
    Descriptor file(::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (file.fd < 0) {
        problem = describe(fresh);
        return false;
    }
    // Renamed only once every byte is on the disk: a rename that reached the disk
    // before the data would leave an empty file after a power cut.
    if (!writeAll(file.fd, contents) || ::fsync(file.fd) != 0 || !file.close()) {
        problem = describe(fresh);
        ::unlink(fresh.c_str());
        return false;
    }
    if (::rename(fresh.c_str(), path.c_str()) != 0) {
        problem = describe(path);
        ::unlink(fresh.c_str());
        return false;
    }
    // The directory is not flushed as well: a power cut before it reaches the
    // disk leaves the old file, which is whole, and a save costs one flush, not two.
    return true;
}
