#pragma once
#include <string>

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
        "\"" + texture + "\"\n"
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
    std::string bytes(18, '\0');
    bytes[2] = 2;  // uncompressed true colour
    bytes[12] = static_cast<char>(width & 0xff);
    bytes[13] = static_cast<char>(width >> 8);
    bytes[14] = static_cast<char>(height & 0xff);
    bytes[15] = static_cast<char>(height >> 8);
    bytes[16] = 32;
    bytes[17] = 8;
    for (int k = 0; k < width * height; ++k) bytes += std::string("\x40\x80\xc0\xff", 4);
    return bytes;
}

}  // namespace testmodels
