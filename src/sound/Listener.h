#pragma once

// Puts the listener at `position`, facing along `forward` with +y up.
// Does nothing without a current context.
void placeListener(const float position[3], const float forward[3]);
