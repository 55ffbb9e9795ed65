#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "GlTestContext.h"
#include "surfaces/MipScaler.h"

// Every mip level of noisy, saturated and ramped images, square and not, of
// the sizes the content uses and odd ones, against GLU itself.
TEST(MipScaler, MatchesGluScaleImageBitForBit) {
    ensureGlContext();
    std::mt19937 random(7);
    const std::pair<int, int> sizes[] = {{256, 256}, {128, 128}, {64, 64}, {256, 32}, {16, 128},
                                         {96, 96},   {6, 10},    {1, 64},  {2, 1}};
    for (const auto& [width, height] : sizes) {
        for (int kind = 0; kind < 3; ++kind) {
            std::vector<std::uint8_t> image(std::size_t(width) * height * 4);
            for (std::size_t k = 0; k < image.size(); ++k) {
                if (kind == 0) image[k] = static_cast<std::uint8_t>(random());
                if (kind == 1) image[k] = 255;  // the largest sums, where single precision rounds
                if (kind == 2) image[k] = static_cast<std::uint8_t>(k * 7 / 3);
            }
            const MipScaler scaler(width, height, image.data());
            int w = width, h = height;
            while (w > 1 || h > 1) {
                w = w > 1 ? w / 2 : 1;
                h = h > 1 ? h / 2 : 1;
                std::vector<std::uint8_t> fromGlu(std::size_t(w) * h * 4), ours(fromGlu.size());
                gluScaleImage(GL_RGBA, width, height, GL_UNSIGNED_BYTE, image.data(), w, h, GL_UNSIGNED_BYTE,
                              fromGlu.data());
                ASSERT_TRUE(scaler.scale(w, h, ours.data())) << width << "x" << height << " to " << w << "x" << h;
                EXPECT_EQ(ours, fromGlu) << width << "x" << height << " kind " << kind << " to " << w << "x" << h;
            }
        }
    }
}

TEST(MipScaler, LeavesSizesWithoutAWholeFactorToGlu) {
    const std::vector<std::uint8_t> image(100 * 60 * 4, 9);
    const MipScaler scaler(100, 60, image.data());
    std::vector<std::uint8_t> out(25 * 15 * 4, 1);
    EXPECT_FALSE(scaler.scale(12, 7, out.data()));
    EXPECT_EQ(out, std::vector<std::uint8_t>(25 * 15 * 4, 1));
    EXPECT_TRUE(scaler.scale(25, 15, out.data()));
    EXPECT_EQ(out, std::vector<std::uint8_t>(25 * 15 * 4, 9));
}
