#include "game/PlayerAnimation.h"
#include "scene/Player.h"

namespace {
constexpr float jumpSpeed = 0.7f;     // units per second, up and down
constexpr float riseDuration = 0.4f;  // seconds of rising before the descent
}  // namespace

bool Player::jump(float dt) {
    if (jumpTimer > riseDuration) jumpRising = false;

    if (jumpRising) {
        jumpTimer += dt;
        jumpHeight += jumpSpeed * dt;
        model.advanceAnimationRange(segmentRate(*this, 2) * dt, jumpUpFirstFrame, jumpUpLastFrame);
        return false;
    }

    // The descent takes as long as the rise did: the timer runs back to 0.
    jumpTimer -= dt;
    jumpHeight -= jumpSpeed * dt;
    model.advanceAnimationRange(segmentRate(*this, 3) * dt, landingFirstFrame, landingLastFrame);
    if (jumpTimer > 0) return false;

    jumpTimer = 0;
    jumpHeight = 0;
    resetPlayerAnimation(*this, dt);
    return true;
}
