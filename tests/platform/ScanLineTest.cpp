#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <string>

#include "platform/ScanLine.h"

// Numbers too large for an int read as its limits, on every C library; all
// else reads exactly as sscanf reads it.
TEST(ScanLine, OversizedIntegersReadAsTheLimitsAndAllElseAsSscanf) {
    int count = 0;
    EXPECT_EQ(scanLine("12000000000", "%d", &count), 1);
    EXPECT_EQ(count, INT_MAX);
    EXPECT_EQ(scanLine("  -99999999999999999999999", "%d", &count), 1);
    EXPECT_EQ(count, INT_MIN);
    EXPECT_EQ(scanLine("Meshes: 0000000000003", "Meshes: %d", &count), 1);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(scanLine("-2147483648", "%d", &count), 1);
    EXPECT_EQ(count, INT_MIN);

    // A wall: four floats (long digit runs there stay as they are), an axis letter, two integers.
    float x1, z1, x2, z2;
    char axis;
    int sign = 0, exit = 0;
    EXPECT_EQ(scanLine("12345678901.5 0 1 -2 z 1724130190999 -3", "%f %f %f %f %c %d %d", &x1, &z1, &x2, &z2, &axis,
                       &sign, &exit),
              7);
    EXPECT_FLOAT_EQ(x1, 12345678901.5f);
    EXPECT_EQ(axis, 'z');
    EXPECT_EQ(sign, INT_MAX);
    EXPECT_EQ(exit, -3);

    // A mesh header: the name's set and the stops of a failed match are sscanf's.
    char name[256];
    int flags = 0, material = 7;
    EXPECT_EQ(scanLine("\"Bo 99999999999\" 88888888888 x", "\"%255[^\"]\" %d %d", name, &flags, &material), 2);
    EXPECT_STREQ(name, "Bo 99999999999");
    EXPECT_EQ(flags, INT_MAX);
    EXPECT_EQ(material, 7);
    EXPECT_EQ(scanLine("num 99999999999", "o %d", &count), 0);
}

namespace {
// Both readings of one line, every field included, for a format of int and float fields.
struct Reading {
    int result = 0;
    int ints[3] = {-7, -7, -7};
    float floats[5] = {-7, -7, -7, -7, -7};
    bool operator==(const Reading& other) const {
        return result == other.result && std::memcmp(ints, other.ints, sizeof ints) == 0 &&
               std::memcmp(floats, other.floats, sizeof floats) == 0;
    }
};
}  // namespace

// Plain numbers take a faster way than sscanf; it must read every line, plain
// or not, to the same values and the same result as sscanf itself.
TEST(ScanLine, PlainNumbersReadAsSscanfReadsThem) {
    const char* const vertex = "%d %f %f %f %f %f %d";
    const char* const triangle = "%d %d %d";
    auto read = [](const char* line, bool fast, const char* format) {
        Reading r;
        if (format[1] == 'd' && format[4] == 'd') {
            r.result = fast ? scanLine(line, format, &r.ints[0], &r.ints[1], &r.ints[2])
                            : std::sscanf(line, format, &r.ints[0], &r.ints[1], &r.ints[2]);
        } else {
            r.result = fast ? scanLine(line, format, &r.ints[0], &r.floats[0], &r.floats[1], &r.floats[2], &r.floats[3],
                                       &r.floats[4], &r.ints[1])
                            : std::sscanf(line, format, &r.ints[0], &r.floats[0], &r.floats[1], &r.floats[2],
                                          &r.floats[3], &r.floats[4], &r.ints[1]);
        }
        return r;
    };
    const char* const lines[] = {
        "0 1.5 -2.25 3e2 0.1 .5 7",
        "1 2 3 4 5 6 7 trailing",
        "  \t0 1 2 3 4 5 6\n",
        "",
        " \n",
        "0 1 2",
        "0 1 2 3 4 5",
        "0 +1 -0 1. .5e-3 1e+3 +8",
        "0 1.5x 2 3 4 5 6",
        "0 inf nan 1 2 3 4",
        "0 0x1p3 1 2 3 4 5",
        "0 1e50 1e-50 1e-40 2 3 4",
        "0 - + -. . e5 1",
        "0 --1 +-1 1e 1e+ 1 2",
        "123456789 1 2 3 4 5 -123456789",
        "0 1 2 3 4 5 6,",
        "0\v1\f2\r3 4 5 6",
        "x 1 2 3 4 5 6",
        "0 3.4028235e38 3.4028236e38 1.17549435e-38 1.4e-45 7e-46 0",
        "0 0.100000001490116119384765625 0.1000000014901161193847656251 1 2 3 4",
    };
    for (const char* line : lines) {
        for (const char* format : {vertex, triangle}) {
            SCOPED_TRACE(std::string(line) + " | " + format);
            EXPECT_TRUE(read(line, true, format) == read(line, false, format));
        }
    }

    // And lines of random pieces of numbers, many of them plain.
    std::mt19937 random(20261208);
    const std::string alphabet = "0123456789012345678901234567890123456789..--+eE    \tx";
    for (int n = 0; n < 20000; ++n) {
        std::string line;
        const int length = static_cast<int>(random() % 40);
        for (int k = 0; k < length; ++k) line += alphabet[random() % alphabet.size()];
        // Long digit runs read clamped, by design not as sscanf reads them.
        if (hasLongNumber(line.c_str())) continue;
        for (const char* format : {vertex, triangle}) {
            SCOPED_TRACE(line + " | " + format);
            ASSERT_TRUE(read(line.c_str(), true, format) == read(line.c_str(), false, format));
        }
    }
}
