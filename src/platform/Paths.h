#pragma once
#include <cstdio>
#include <string>

// Game files may name paths the Windows way (".\texturen\wasser.tga");
// this turns every backslash into a slash so they open the same file.
std::string hostPath(const char* path);

// A path as the game opens it, in the form the file watch compares: slashes, no leading "./".
std::string watchedPath(const std::string& path);

// fopen on hostPath(path), always in binary mode (the same bytes on every
// platform), refusing anything that is not a regular file (fopen happily
// opens a directory on Linux). Null on failure.
std::FILE* openGameFile(const char* path, const char* mode);

// True when nothing at all stands at the path: an optional file left out,
// rather than one that is there and cannot be read (false when that cannot
// be told either).
bool gameFileMissing(const char* path);

// Called with every path openGameFile is asked to open, found or not (for --watch).
void setFileOpenObserver(void (*observer)(const std::string& path));

// Closes the file when the owner goes.
struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file) std::fclose(file);
    }
};
