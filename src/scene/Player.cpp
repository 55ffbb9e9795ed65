#include "scene/Player.h"

#include "scene/Placement.h"

namespace {
constexpr float jumpSpeed = 0.7f;           // units per second, up and down
constexpr float riseDuration = 0.4f;        // seconds of rising before the descent
constexpr float deathAnimationTime = 0.5f;  // then the player lies still
constexpr float deathDuration = 0.7f;
}  // namespace

Player::Player() : ModelObject(false) {}

// The game draws the player with no base, so it stands in eye coordinates in
// front of the camera, wherever the camera is.
void Player::draw(const float* baseMatrix) {
    PlacementScope placed(*this, baseMatrix);
    drawMeshes();
}

float Player::segmentRate(std::size_t index) const {
    return index < segmentFps.size() ? static_cast<float>(segmentFps[index]) : 0.0f;
}

void Player::resetAnimation(float dt) {
    model.advanceAnimationRange(segmentRate(0) * dt, walkFirstFrame, walkFirstFrame);
}

bool Player::jump(float dt) {
    if (jumpTimer > riseDuration) jumpRising = false;

    if (jumpRising) {
        jumpTimer += dt;
        jumpHeight += jumpSpeed * dt;
        model.advanceAnimationRange(segmentRate(2) * dt, jumpUpFirstFrame, jumpUpLastFrame);
        return false;
    }

    // The descent takes as long as the rise did: the timer runs back to 0.
    jumpTimer -= dt;
    jumpHeight -= jumpSpeed * dt;
    model.advanceAnimationRange(segmentRate(3) * dt, landingFirstFrame, landingLastFrame);
    if (jumpTimer > 0) return false;

    jumpTimer = 0;
    jumpHeight = 0;
    resetAnimation(dt);
    return true;
}

bool Player::die(float dt) {
    // Dying in the air drops the player to the ground; a sunken player stays sunk.
    if (jumpHeight > 0) jumpHeight = 0;

    jumpTimer += dt;
    if (jumpTimer < deathAnimationTime) {
        model.advanceAnimationRange(segmentRate(3) * dt, deathFirstFrame, deathLastFrame);
    }
    if (jumpTimer < deathDuration) return false;
    jumpTimer = 0;
    return true;
}
