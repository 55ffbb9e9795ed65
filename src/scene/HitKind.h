#pragma once

// What a collision test found.
enum HitKind {
    HIT_NONE = 0,
    HIT_MESH = 1,
    HIT_ABYSS = 2,
    HIT_SWITCH = 3,
    HIT_LATTICE = 4,
};
