#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>

#include "scene/Trigonometry.h"

namespace {
std::int32_t orderedBits(float value) {
    std::int32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits < 0 ? std::numeric_limits<std::int32_t>::min() - bits : bits;
}

// Distance in units of the last place; 0 and -0 are the same.
std::int64_t ulps(float a, float b) { return std::llabs(std::int64_t{orderedBits(a)} - orderedBits(b)); }
}  // namespace

// Against glibc's double sine and cosine rounded to float, over every kind of
// angle the game passes (headings, bone angles, wave phases, in radians): the
// same float but where double rounding may differ, and never more than one
// last place apart.
TEST(Trigonometry, MatchesTheDoubleFunctionsRoundedToFloat) {
    long differing = 0, samples = 0;
    for (std::uint32_t bits = 0x30000000u; bits < 0x49000000u; bits += 331) {
        float x;
        std::memcpy(&x, &bits, sizeof x);
        for (const float angle : {x, -x}) {
            const float sin = static_cast<float>(std::sin(static_cast<double>(angle)));
            const float cos = static_cast<float>(std::cos(static_cast<double>(angle)));
            ASSERT_LE(ulps(sine(angle), sin), 1) << angle;
            ASSERT_LE(ulps(cosine(angle), cos), 1) << angle;
            differing += (sine(angle) != sin) + (cosine(angle) != cos);
            samples += 2;
        }
    }
    EXPECT_LT(differing, samples / 100000) << differing << " of " << samples;
}

TEST(Trigonometry, ExactWhereTheAnswerIsExactAndNanForNoAngle) {
    EXPECT_EQ(sine(0.0f), 0.0f);
    EXPECT_EQ(cosine(0.0f), 1.0f);
    EXPECT_EQ(sine(std::numbers::pi_v<float> / 2), 1.0f);
    EXPECT_EQ(cosine(std::numbers::pi_v<float>), -1.0f);
    EXPECT_EQ(sine(-1.0e-20f), -1.0e-20f);
    EXPECT_TRUE(std::isnan(sine(std::numeric_limits<float>::infinity())));
    EXPECT_TRUE(std::isnan(cosine(-std::numeric_limits<float>::infinity())));
    EXPECT_TRUE(std::isnan(sine(std::numeric_limits<float>::quiet_NaN())));
}
