#pragma once

// Puts the listener at `position`, facing along `forward` with +y up.
// Does nothing without a current context.
void placeListener(const float position[3], const float forward[3]);

// The loudness of everything heard: 0 silent, 1 as the sounds are.
void setListenerGain(float gain);
