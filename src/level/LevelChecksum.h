#pragma once
#include <string>

// A checksum of what decides how the levels play: the nine level files and
// every model file, as found in the working directory. 16 hex digits. A demo
// records it so that a play can warn when the files have changed since.
std::string levelFilesChecksum();
