#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "TgaWriter.h"

// Small model files for the scene tests, in the game's ASCII model format.
namespace testmodels {

// A square from -0.5 to 0.5 in x and y at z = 0, its vertices bound to one bone
// that moves 10 units along x between frames 1 and 11 (the file's pose is
// frame 1). With `boundingBox`, a "BoundingBox" mesh, the same square, follows.
// With `texture`, the square's material uses that texture file.
inline std::string movingSquare(bool boundingBox, const std::string& texture = "") {
    std::string text =
        "// a test model\n"
        "Frames: 20\n"
        "Frame: 1\n";
    text += boundingBox ? "Meshes: 2\n" : "Meshes: 1\n";
    const std::string square =
        "4\n"
        "0 -0.5 -0.5 0 0 0 0\n"
        "0 0.5 -0.5 0 1 0 0\n"
        "0 0.5 0.5 0 1 1 0\n"
        "0 -0.5 0.5 0 0 1 0\n"
        "1\n"
        "0 0 1\n"
        "2\n"
        "0 0 1 2 0 0 0 1\n"
        "0 0 2 3 0 0 0 1\n";
    text += "\"Square\" 0 0\n" + square;
    if (boundingBox) text += "\"BoundingBox\" 0 -1\n" + square;
    text +=
        "Materials: 1\n"
        "\"Grey\"\n"
        "0.2 0.2 0.2 1\n"
        "0.8 0.8 0.8 1\n"
        "0 0 0 1\n"
        "0 0 0 1\n"
        "10\n"
        "0\n"
        "\"" +
        texture +
        "\"\n"
        "\"\"\n"
        "Bones: 1\n"
        "\"Root\"\n"
        "\"\"\n"
        "0 0 0 0 0 0 0\n"
        "2\n"
        "1 0 0 0\n"
        "11 10 0 0\n"
        "1\n"
        "1 0 0 0\n";
    return text;
}

// An uncompressed 32-bit TGA image of one colour.
inline std::string solidTga(int width, int height) {
    std::vector<std::uint8_t> bgra;
    for (int k = 0; k < width * height; ++k) bgra.insert(bgra.end(), {0x40, 0x80, 0xc0, 0xff});
    return makeTga(width, height, bgra);
}

}  // namespace testmodels
