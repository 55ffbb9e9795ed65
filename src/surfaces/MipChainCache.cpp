#include "surfaces/MipChainCache.h"

#include <algorithm>
#include <cstring>

MipChainCache mipChainCache;

namespace {
std::size_t imageBytes(int width, int height) { return std::size_t(width) * std::size_t(height) * 4; }
}  // namespace

const std::vector<MipLevel>* MipChainCache::find(const std::string& path, int width, int height,
                                                 const std::uint8_t* rgba) const {
    for (const Entry& entry : entries_) {
        if (entry.path == path && entry.width == width && entry.height == height &&
            std::memcmp(entry.image.data(), rgba, entry.image.size()) == 0)
            return &entry.levels;
    }
    return nullptr;
}

const std::vector<MipLevel>& MipChainCache::store(const std::string& path, int width, int height,
                                                  const std::uint8_t* rgba, std::vector<MipLevel> levels) {
    // One chain a file: an edited file's old chain goes.
    const auto old = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.path == path; });
    if (old != entries_.end()) {
        bytes_ -= old->image.size();
        for (const MipLevel& level : old->levels) bytes_ -= level.rgba.size();
        entries_.erase(old);
    }
    Entry entry{path, width, height, std::vector<std::uint8_t>(rgba, rgba + imageBytes(width, height)),
                std::move(levels)};
    std::size_t size = entry.image.size();
    for (const MipLevel& level : entry.levels) size += level.rgba.size();
    if (bytes_ + size > byteLimit) {
        entries_.clear();
        bytes_ = 0;
    }
    bytes_ += size;
    entries_.push_back(std::move(entry));
    return entries_.back().levels;
}
