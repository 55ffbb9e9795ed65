#pragma once
#include <map>
#include <set>
#include <string>

// Tells when files change on disk (inotify). It watches the directories that
// hold them, not the files, because many editors save by writing a new file
// and renaming it over the old one.
class FileWatch {
public:
    FileWatch();
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    // False when inotify is not available; nothing is ever reported then.
    bool usable() const { return fd_ >= 0; }
    // Remembers a file (a path as the game opens it) and watches its directory.
    void add(const std::string& path);
    // Forgets every file; the directory watches stay.
    void forgetFiles() { files_.clear(); }
    // True when a remembered file was written, replaced, created or removed
    // since the last call. Never blocks.
    bool changed();

private:
    int fd_ = -1;
    std::map<int, std::string> directories_;  // watch descriptor to directory
    std::set<std::string> files_;             // "directory/name", without "./"
};

// A path as the game opens it, in the form FileWatch compares: slashes, no leading "./".
std::string watchedPath(const std::string& path);
