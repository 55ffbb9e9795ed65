#pragma once

// An invisible wall on the ground plane; some lead to another level.
struct Wall {
    float x1 = 0, y1 = 0, z1 = 0;
    float x2 = 0, y2 = 0, z2 = 0;
    short blockAxis = 0;  // 0 = x, 2 = z
    short blockSign = 0;  // +1 or -1
    int nextLevel = 0;    // 1 or more: touching the wall loads that level
};
