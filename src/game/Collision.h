#pragma once

// The collision pass runs while this is on (key "c"); off, nothing blocks,
// kills, switches or leads to another level.
extern bool collisionEnabled;

// Objects whose ground distance from the player is this or more are not tested.
inline constexpr float collisionRange = 5.0f;

// Tests the player against the objects near it and the level's walls, and
// turns each contact into its consequence. Uses the matrices of this frame's draws.
void checkCollisions();

// True when the segment p1-p2 touches the sphere (c, r), judged where the
// line comes closest to the centre; that point must lie on the segment.
bool segmentTouchesSphere(float x1, float y1, float z1, float x2, float y2, float z2, float cx, float cy, float cz,
                          float r);
