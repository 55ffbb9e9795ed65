#include "game/Death.h"

#include "app/Globals.h"
#include "game/Camera.h"
#include "game/GameState.h"
#include "game/PlayerAnimation.h"
#include "level/LevelLoader.h"
#include "platform/EventLog.h"
#include "platform/MessageBox.h"
#include "scene/Player.h"

namespace {
constexpr float fallDuration = 0.5f;        // seconds of sinking after an abyss
constexpr float sinkPerFrame = 0.01f;       // units, not scaled by the frame time
constexpr float deathAnimationTime = 0.5f;  // then the player lies still
constexpr float deathDuration = 0.7f;

void restartAfterDeath(float dt) {
    showMessage(deathMessageText, deathMessageCaption);
    // The box took the releases of any keys held when it opened.
    releaseHeldKeys();

    loadLevel(currentLevel);
    camera.reset();
    resetPlayerAnimation(*player, dt);
    player->jumpHeight = 0;
    // Neither the time the box was open nor the reload is one frame's step.
    restartFrameClock();
}
}  // namespace

bool Player::die(float dt) {
    // Dying in the air drops the player to the ground; a sunken player stays sunk.
    if (jumpHeight > 0) jumpHeight = 0;

    jumpTimer += dt;
    if (jumpTimer < deathAnimationTime) {
        model.advanceAnimationRange(segmentRate(*this, 3) * dt, deathFirstFrame, deathLastFrame);
    }
    if (jumpTimer < deathDuration) return false;
    jumpTimer = 0;
    return true;
}

void updateFallAndDeath(float dt) {
    if (falling) {
        fallTime += dt;
        if (fallTime >= fallDuration) {
            if (!dead) logEvent("died");
            dead = true;
            falling = false;
            fallTime = 0;
        } else if (player) {
            player->jumpHeight -= sinkPerFrame;
        }
    }
    if (!dead || falling || !player) return;

    if (player->die(dt)) restartAfterDeath(dt);
}
