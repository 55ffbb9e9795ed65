#include "scene/Player.h"

#include "surfaces/Placement.h"

Player::Player() : ModelObject(false) {}

// Always placed in eye coordinates, in front of the camera: whatever base a
// caller passes, the player's matrix never depends on the view.
void Player::draw(const float*) {
    PlacementScope placed(*this, nullptr);
    drawMeshes();
}
