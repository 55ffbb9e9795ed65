#include "game/PlayerSounds.h"

bool footfallBetween(float from, float to) {
    for (float frame : footfallFrames) {
        const bool passed = from <= to ? (frame > from && frame <= to) : (frame > from || frame <= to);
        if (passed) return true;
    }
    return false;
}
