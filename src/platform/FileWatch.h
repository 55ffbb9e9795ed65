#pragma once
#include <memory>
#include <string>

// Tells when files change on disk (inotify on Linux, change notifications on
// Windows). It watches the directories that hold them, not the files, because
// many editors save by writing a new file and renaming it over the old one.
class FileWatch {
public:
    FileWatch();
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    // False when the system offers no notification; nothing is ever reported then.
    bool usable() const;
    // Remembers a file (a path as the game opens it) and watches its directory.
    void add(const std::string& path);
    // Forgets every file; the directory watches stay.
    void forgetFiles();
    // True when a remembered file was written, replaced, created or removed
    // since the last call. Never blocks.
    bool changed();

private:
    struct State;  // the system's watches and the remembered files
    std::unique_ptr<State> state_;
};
