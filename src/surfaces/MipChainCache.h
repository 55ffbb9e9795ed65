#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A texture's mip-map levels below its full size, each w x h x 4 bytes.
struct MipLevel {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// The mip-map chains worked out so far, by file. Levels share most of their
// textures, and a death or "m" loads the same ones again, while working out
// the chains cost a load about a sixth of its time. A chain is given back
// only for exactly the same image (every pixel compared), so a texture edited
// under --watch is never shown with its old chain.
class MipChainCache {
public:
    // The chain of the image `rgba` (width x height x 4 bytes) read from
    // `path`, worked out by `make` unless the cache has it for that image.
    template <typename Make>
    const std::vector<MipLevel>& chain(const std::string& path, int width, int height, const std::uint8_t* rgba,
                                       Make&& make) {
        if (const std::vector<MipLevel>* known = find(path, width, height, rgba)) return *known;
        return store(path, width, height, rgba, make());
    }

    // What the cache holds at most, images and chains together; past it the cache starts again.
    static constexpr std::size_t byteLimit = 64u << 20;

private:
    struct Entry {
        std::string path;
        int width = 0;
        int height = 0;
        std::vector<std::uint8_t> image;
        std::vector<MipLevel> levels;
    };
    const std::vector<MipLevel>* find(const std::string& path, int width, int height, const std::uint8_t* rgba) const;
    const std::vector<MipLevel>& store(const std::string& path, int width, int height, const std::uint8_t* rgba,
                                       std::vector<MipLevel> levels);

    std::vector<Entry> entries_;
    std::size_t bytes_ = 0;
};

extern MipChainCache mipChainCache;
