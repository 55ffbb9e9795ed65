#include "game/Movement.h"

#include "game/Camera.h"
#include "game/GameState.h"
#include "game/PlayerSounds.h"
#include "scene/Player.h"

namespace {
constexpr float walkSpeed = 4;    // units per second, also strafing
constexpr float turnSpeed = 160;  // degrees per second, also tilting

// Whether any block of the last contact refuses the step.
bool refusedByBlock(bool forward) {
    if (stepRefused(forward, camera.yaw, blockAxis, blockSign)) return true;
    for (short axis : {0, 2}) {
        for (short sign : {-1, 1}) {
            if ((blockedDirections & directionBit(axis, sign)) && stepRefused(forward, camera.yaw, axis, sign))
                return true;
        }
    }
    return false;
}

// A step along the heading; a block lets it through only away from the obstacle.
bool tryStep(bool forward, float dt) {
    if (blocked && refusedByBlock(forward)) return false;
    camera.moveForward(forward ? walkSpeed * dt : -walkSpeed * dt);
    blocked = false;
    blockedDirections = 0;
    return true;
}
}  // namespace

bool stepRefused(bool forward, float yaw, short axis, short sign) {
    // A backward step against a block is a forward step against the opposite block.
    if (!forward) sign = static_cast<short>(-sign);

    // The open intervals of headings whose step moves toward the obstacle: at
    // their ends the step runs exactly along it. Refusing those too would
    // leave a player who faces along a wall he touches unable to walk either way.
    if (axis == 0 && sign == 1) return yaw > 0 && yaw < 180;
    if (axis == 0 && sign == -1) return yaw > 180 && yaw < 360;
    if (axis == 2 && sign == 1) return yaw > 90 && yaw < 270;
    if (axis == 2 && sign == -1) return yaw < 90 || yaw > 270;
    return false;
}

unsigned directionBit(short axis, short sign) {
    if ((axis != 0 && axis != 2) || (sign != 1 && sign != -1)) return 0;
    return 1u << (axis + (sign == 1 ? 1 : 0));
}

bool applyHeldKeys(float dt) {
    bool moved = false;
    if (keyForward && tryStep(true, dt)) moved = true;
    if (keyBackward && tryStep(false, dt)) moved = true;
    if (keyTurnLeft) {
        camera.turnYaw(-turnSpeed * dt);
        moved = true;
    }
    if (keyTurnRight) {
        camera.turnYaw(turnSpeed * dt);
        moved = true;
    }
    // The limit is tested before the step, so the tilt may end a little beyond it.
    if (keyPageUp && camera.pitch >= 0) camera.turnPitch(-turnSpeed * dt);
    if (keyPageDown && camera.pitch <= 90) camera.turnPitch(turnSpeed * dt);
    if (keyStrafeLeft) {
        camera.moveSideways(walkSpeed * dt);
        moved = true;
    }
    if (keyStrafeRight) {
        camera.moveSideways(-walkSpeed * dt);
        moved = true;
    }
    if (jumpRequested && player) {
        // A jump's first frame: it has neither risen nor fallen yet.
        if (player->jumpRising && player->jumpTimer == 0) playPlayerCue(PlayerCue::Jump);
        if (player->jump(dt)) {
            jumpRequested = false;
            playPlayerCue(PlayerCue::Land);
        }
    }
    return moved;
}
