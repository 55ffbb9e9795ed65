#pragma once

// Whether a blocked step is refused: `forward` for a step along the heading,
// false for a backward one. A step that has a component away from the
// obstacle goes through; unknown axis or sign values never refuse.
bool stepRefused(bool forward, float yaw, short axis, short sign);

// Turns the held keys into camera motion and runs the jump; true when the
// player walked, turned or strafed.
bool applyHeldKeys(float dt);
