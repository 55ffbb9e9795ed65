#include "scene/Trigonometry.h"

#include <cmath>

namespace {
// pi/2 in two parts: the first has 33 significant bits, so that k times it is
// exact for every k below 2^20.
constexpr double halfPiHigh = 1.57079632673412561417e+00;
constexpr double halfPiLow = 6.07710050650619224932e-11;

// Taylor series on [-pi/4, pi/4] in double: the first omitted term is below
// 1e-16, far under a float's last bit.
double sinePolynomial(double x) {
    const double x2 = x * x;
    double sum = 1.0 / 1307674368000.0;  // 1/15!
    sum = sum * -x2 + 1.0 / 6227020800.0;
    sum = sum * -x2 + 1.0 / 39916800.0;
    sum = sum * -x2 + 1.0 / 362880.0;
    sum = sum * -x2 + 1.0 / 5040.0;
    sum = sum * -x2 + 1.0 / 120.0;
    sum = sum * -x2 + 1.0 / 6.0;
    sum = sum * -x2 + 1.0;
    return sum * x;
}

double cosinePolynomial(double x) {
    const double x2 = x * x;
    double sum = 1.0 / 20922789888000.0;  // 1/16!
    sum = sum * -x2 + 1.0 / 87178291200.0;
    sum = sum * -x2 + 1.0 / 479001600.0;
    sum = sum * -x2 + 1.0 / 3628800.0;
    sum = sum * -x2 + 1.0 / 40320.0;
    sum = sum * -x2 + 1.0 / 720.0;
    sum = sum * -x2 + 1.0 / 24.0;
    sum = sum * -x2 + 1.0 / 2.0;
    return sum * -x2 + 1.0;
}

// sin(x + quarter * pi/2) for a reduced x.
double sineOfQuarter(double x, int quarter) {
    switch (quarter & 3) {
        case 0:
            return sinePolynomial(x);
        case 1:
            return cosinePolynomial(x);
        case 2:
            return -sinePolynomial(x);
        default:
            return -cosinePolynomial(x);
    }
}

float sineShifted(float radians, int shift) {
    if (!std::isfinite(radians)) return radians - radians;  // NaN, as sinf gives
    const double x = radians;
    // Rounding to the nearest integer is exact on every platform.
    const double k = std::nearbyint(x / halfPiHigh);
    const double reduced = (x - k * halfPiHigh) - k * halfPiLow;
    // fmod is exact too; the quarter is -3 to 3, and & 3 turns it into 0 to 3.
    return static_cast<float>(sineOfQuarter(reduced, static_cast<int>(std::fmod(k, 4.0)) + shift));
}
}  // namespace

float sine(float radians) { return sineShifted(radians, 0); }

float cosine(float radians) { return sineShifted(radians, 1); }
