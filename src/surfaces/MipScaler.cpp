#include "surfaces/MipScaler.h"

#include <cstddef>

MipScaler::MipScaler(int width, int height, const std::uint8_t* rgba)
    : width_(width),
      height_(height),
      wide_(std::make_unique_for_overwrite<std::uint16_t[]>(std::size_t(width) * std::size_t(height) * 4)) {
    const std::size_t count = std::size_t(width) * std::size_t(height) * 4;
    for (std::size_t k = 0; k < count; ++k) wide_[k] = static_cast<std::uint16_t>(rgba[k] * 257);
}

bool MipScaler::scale(int w, int h, std::uint8_t* out) const {
    if (w < 1 || h < 1 || w > width_ || h > height_ || width_ % w != 0 || height_ % h != 0) return false;
    const std::uint16_t* in = wide_.get();
    const std::size_t row = std::size_t(width_) * 4;

    if (width_ == 2 * w && height_ == 2 * h) {
        for (int i = 0; i < h; ++i)
            for (int j = 0; j < w; ++j)
                for (int k = 0; k < 4; ++k) {
                    const std::uint16_t* s = in + std::size_t(2 * i) * row + std::size_t(2 * j) * 4 + k;
                    const unsigned sum = unsigned(s[0]) + s[4] + s[row] + s[row + 4];
                    out[(std::size_t(i) * w + j) * 4 + k] = static_cast<std::uint8_t>(((sum + 2) / 4) >> 8);
                }
        return true;
    }

    // Single precision and this order of adding, as GLU does: large blocks
    // round along the way, and only the same order rounds the same way.
    const int fx = width_ / w;
    const int fy = height_ / h;
    for (int i = 0; i < h; ++i)
        for (int j = 0; j < w; ++j) {
            float totals[4] = {0, 0, 0, 0};
            float area = 0;
            for (int y = i * fy; y < (i + 1) * fy; ++y) {
                const std::uint16_t* s = in + std::size_t(y) * row + std::size_t(j) * fx * 4;
                for (int x = 0; x < fx; ++x, s += 4) {
                    area += 1.0f;
                    for (int k = 0; k < 4; ++k) totals[k] += static_cast<float>(s[k]);
                }
            }
            for (int k = 0; k < 4; ++k) {
                const auto wideValue = static_cast<std::uint16_t>((totals[k] + 0.5f) / area);
                out[(std::size_t(i) * w + j) * 4 + k] = static_cast<std::uint8_t>(wideValue >> 8);
            }
        }
    return true;
}
