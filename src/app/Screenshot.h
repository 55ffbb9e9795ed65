#pragma once
#include <string>

// Saves the back buffer of the current window as an RGB PNG: the frame just
// drawn and not yet swapped (after a swap its contents are undefined). False, with nothing written, when the pixels
// cannot be read or the file cannot be written.
bool saveScreenshot(const std::string& path);
