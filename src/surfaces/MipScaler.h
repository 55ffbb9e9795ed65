#pragma once
#include <cstdint>
#include <memory>

// Scales an RGBA image down to its mip-map sizes with the same results, bit
// for bit, as gluScaleImage with the default pixel-store modes: GLU widens
// every byte to 16 bits (times 257), averages 2 x 2 blocks in integers when
// both sides halve, else sums each block in single precision row by row, and
// keeps the high byte. GLU does that widening again for every level and walks
// each block through floating-point box edges; a level load with 128 and 256
// pixel textures spent over half its time there. This widens once and sums
// directly.
class MipScaler {
public:
    MipScaler(int width, int height, const std::uint8_t* rgba);

    // Fills out (w x h x 4 bytes) and returns true when both sides shrink by a
    // whole factor; otherwise leaves out alone and returns false, and the
    // caller asks GLU.
    bool scale(int w, int h, std::uint8_t* out) const;

private:
    int width_;
    int height_;
    std::unique_ptr<std::uint16_t[]> wide_;
};
