#pragma once
#include <string>
#include <string_view>

// The user's own files of the game, kept from one run to the next: a
// directory per user, and files in it replaced whole or not at all.

// The game's directory among the user's data: $XDG_DATA_HOME/zarnoth (by
// default ~/.local/share/zarnoth) on Linux, %APPDATA%\Zarnoth on Windows.
// Empty, with `problem` saying why, where the environment names none.
std::string userDataDirectory(std::string& problem);

// Creates `directory`, and the directories above it, where they are missing.
// False, with `problem`, when it is not a directory that can be used afterwards.
bool makeUserDataDirectory(const std::string& directory, std::string& problem);

// Replaces the file `path` by `contents`: written whole into a new file of the
// same directory, flushed to the disk, then renamed over the old one, so that
// a crash, a kill or a full disk at any moment leaves either the old file or
// the new one, never a part. False, with `problem`, when it could not.
bool replaceFileWhole(const std::string& path, std::string_view contents, std::string& problem);
