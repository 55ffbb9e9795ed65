#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The bytes of an uncompressed 32-bit true-colour TGA file (type 2, no image
// ID, no colour map). `bgra` holds width * height pixels as the file stores
// them, blue first; rows go into the file in the order given.
inline std::string makeTga(int width, int height, const std::vector<std::uint8_t>& bgra) {
    std::string bytes(18, '\0');
    bytes[2] = 2;
    bytes[12] = static_cast<char>(width & 0xFF);
    bytes[13] = static_cast<char>((width >> 8) & 0xFF);
    bytes[14] = static_cast<char>(height & 0xFF);
    bytes[15] = static_cast<char>((height >> 8) & 0xFF);
    bytes[16] = 32;
    bytes.append(bgra.begin(), bgra.end());
    return bytes;
}
