#pragma once
#include <GL/gl.h>

#include <cstdint>
#include <memory>

// Reads an uncompressed 32-bit TGA file and turns it into an OpenGL texture.
// Short-lived: callers keep the returned name and release the pixels at once.
class Texture {
public:
    explicit Texture(bool mipmaps);

    bool readTga(const char* path);
    // The texture name, or 0 when the file cannot be used.
    GLuint loadTexture(const char* path);
    void releasePixels();

    std::uint8_t header[18] = {};
    std::unique_ptr<std::uint8_t[]> pixels;
    bool mipmaps;
    GLuint textureName = 0;
    // Image size from the header, valid after a successful readTga.
    int width = 0;
    int height = 0;
    // Why the last readTga failed, in English for zarnoth-check; empty after success.
    const char* refusal = "";
};
