#include <GL/freeglut.h>

#include "app/Globals.h"
#include "app/LevelWatch.h"
#include "game/Callbacks.h"
#include "game/Camera.h"
#include "game/Death.h"
#include "game/GameState.h"
#include "game/Movement.h"
#include "game/PlayerAnimation.h"
#include "level/Scene.h"

namespace {
constexpr float walkSpeed = 4;    // units per second, also strafing
constexpr float turnSpeed = 160;  // degrees per second, also tilting

// A step along the heading; a block lets it through only away from the obstacle.
bool tryStep(bool forward, float dt) {
    if (blocked && stepRefused(forward, camera.yaw, blockAxis, blockSign)) return false;
    camera.moveForward(forward ? walkSpeed * dt : -walkSpeed * dt);
    blocked = false;
    return true;
}
}  // namespace

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
    if (jumpRequested && player && player->jump(dt)) jumpRequested = false;
    return moved;
}

void advanceGame(float dt) {
    // Every kind of play steps the game here, so --watch looks here for changed files.
    pollLevelWatch();
    bool moved = false;
    if (!dead && !falling) moved = applyHeldKeys(dt);

    for (const auto& object : objects) {
        if (object->fps != 0) object->update(static_cast<float>(object->fps) * dt);
    }

    updateFallAndDeath(dt);

    if (moved && !jumpRequested && player) {
        player->model.advanceAnimationRange(segmentRate(*player, 0) * dt, walkFirstFrame, walkLastFrame);
    }
}

void onIdle() {
    advanceGame(nextFrameTime());
    glutPostRedisplay();
}
