#include "game/Movement.h"

bool stepRefused(bool forward, float yaw, short axis, short sign) {
    // A backward step against a block is a forward step against the opposite block.
    if (!forward) sign = static_cast<short>(-sign);

    if (axis == 0 && sign == 1) return yaw >= 0 && yaw <= 180;
    if (axis == 0 && sign == -1) return yaw >= 180 && yaw <= 360;
    if (axis == 2 && sign == 1) return yaw >= 90 && yaw <= 270;
    if (axis == 2 && sign == -1) return yaw <= 90 || yaw >= 270;
    return false;
}
