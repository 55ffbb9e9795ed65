#include "surfaces/Texture.h"

#include <GL/glu.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Paths.h"
#include "surfaces/MipChainCache.h"
#include "surfaces/MipScaler.h"

namespace {

constexpr int headerSize = 18;
constexpr int bytesPerPixel = 4;

int readSigned16(const std::uint8_t* bytes) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)));
}

// Bytes from the current position to the end of the file, or -1.
long bytesLeft(std::FILE* file) {
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long end = std::ftell(file);
    if (end < 0 || std::fseek(file, here, SEEK_SET) != 0) return -1;
    return end - here;
}

}  // namespace

Texture::Texture(bool mipmaps) : mipmaps(mipmaps) {}

bool Texture::readTga(const char* path) {
    pixels.reset();
    width = 0;
    height = 0;

    refusal = "cannot be opened";
    std::unique_ptr<std::FILE, FileCloser> file(openGameFile(path, "rb"));
    if (!file) return false;
    refusal = "is shorter than a TGA header (18 bytes)";
    if (std::fread(header, 1, headerSize, file.get()) != headerSize) return false;

    // The colour-map length's high byte is a signed field; a negative skip
    // would move the stream backwards into the header.
    const int colourMapSkip = static_cast<std::int8_t>(header[6]);
    refusal = "has a negative colour-map length";
    if (colourMapSkip < 0) return false;
    const int idLength = header[0];
    refusal = "ends inside its header fields";
    if (std::fseek(file.get(), colourMapSkip + idLength, SEEK_CUR) != 0) return false;

    const int imageType = header[2];
    const int depth = header[16];
    refusal = "is not an uncompressed 32-bit true-colour TGA (type 2, 32 bits per pixel)";
    if (imageType != 2 || depth != 32) return false;

    const int w = readSigned16(header + 12);
    const int h = readSigned16(header + 14);
    refusal = "has a width or height of 0 or below";
    if (w <= 0 || h <= 0) return false;

    // Checked against the file before allocating, so a lying header costs nothing.
    const std::uint64_t size = std::uint64_t(w) * std::uint64_t(h) * bytesPerPixel;
    const long left = bytesLeft(file.get());
    refusal = "holds fewer pixels than its header claims";
    if (left < 0 || std::uint64_t(left) < size) return false;

    auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    if (std::fread(buffer.get(), 1, size, file.get()) != size) return false;
    refusal = "";

    for (std::uint64_t i = 0; i < size; i += bytesPerPixel) {
        const std::uint8_t blue = buffer[i];
        buffer[i] = buffer[i + 2];
        buffer[i + 2] = blue;
    }

    pixels = std::move(buffer);
    width = w;
    height = h;
    return true;
}

namespace {
// gluScaleImage reads and writes through the pixel-store modes; MipScaler
// knows only tightly packed rows of four bytes a pixel.
bool pixelStoreIsPlain() {
    const GLenum zeroes[] = {GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS,
                             GL_PACK_ROW_LENGTH,   GL_PACK_SKIP_ROWS,   GL_PACK_SKIP_PIXELS};
    for (const GLenum mode : zeroes) {
        GLint value = -1;
        glGetIntegerv(mode, &value);
        if (value != 0) return false;
    }
    for (const GLenum mode : {GL_UNPACK_ALIGNMENT, GL_PACK_ALIGNMENT}) {
        GLint value = 0;
        glGetIntegerv(mode, &value);
        if (value < 1 || value > 4) return false;
    }
    return true;
}

// Down to 1 x 1 on both sides: a chain that stops early leaves the texture
// incomplete, and OpenGL then samples it as if no texture were bound. Every
// level comes from the full-size image, not from the level above.
std::vector<MipLevel> mipChain(int width, int height, const std::uint8_t* rgba, bool plainPixelStore) {
    std::vector<MipLevel> levels;
    const std::optional<MipScaler> scaler =
        plainPixelStore ? std::optional<MipScaler>(std::in_place, width, height, rgba) : std::nullopt;
    int w = width;
    int h = height;
    while (w > 1 || h > 1) {
        w = w > 1 ? w / 2 : 1;
        h = h > 1 ? h / 2 : 1;
        MipLevel& level = levels.emplace_back();
        level.width = w;
        level.height = h;
        // Other pixel-store modes may pad GLU's rows: room for the whole image, as the image itself needs.
        const int roomWidth = plainPixelStore ? w : width;
        const int roomHeight = plainPixelStore ? h : height;
        level.rgba.resize(std::size_t(roomWidth) * std::size_t(roomHeight) * bytesPerPixel);
        if (!scaler || !scaler->scale(w, h, level.rgba.data()))
            gluScaleImage(GL_RGBA, width, height, GL_UNSIGNED_BYTE, rgba, w, h, GL_UNSIGNED_BYTE, level.rgba.data());
    }
    return levels;
}
}  // namespace

GLuint Texture::loadTexture(const char* path) {
    if (!readTga(path)) {
        textureName = 0;
        return 0;
    }

    glGenTextures(1, &textureName);
    glBindTexture(GL_TEXTURE_2D, textureName);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.get());
    if (!mipmaps) return textureName;

    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    // The cache's chains come from MipScaler, which matches GLU only for plain pixel-store modes.
    const bool plain = pixelStoreIsPlain();
    auto makeChain = [&] { return mipChain(width, height, pixels.get(), plain); };
    const std::vector<MipLevel> unshared = plain ? std::vector<MipLevel>{} : makeChain();
    const std::vector<MipLevel>& levels =
        plain ? mipChainCache.chain(watchedPath(path), width, height, pixels.get(), makeChain) : unshared;
    int number = 1;
    for (const MipLevel& level : levels)
        glTexImage2D(GL_TEXTURE_2D, number++, GL_RGBA, level.width, level.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     level.rgba.data());
    return textureName;
}

void Texture::releasePixels() { pixels.reset(); }
