#include <gtest/gtest.h>

#include <climits>

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
