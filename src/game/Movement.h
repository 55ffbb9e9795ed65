#pragma once

// Whether a block toward `sign` on `axis` refuses a step: `forward` for a
// step along the heading, false for a backward one. Only a step with a
// component toward the obstacle is refused: one away from it, or exactly along
// it, goes through. Unknown axis or sign values never refuse.
bool stepRefused(bool forward, float yaw, short axis, short sign);

// The bit of `blockedDirections` for a block toward `sign` on `axis`; 0 for
// values that block nothing.
unsigned directionBit(short axis, short sign);

// Turns the held keys into camera motion and runs the jump; true when the
// player walked, turned or strafed.
bool applyHeldKeys(float dt);
