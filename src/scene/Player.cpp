#include "scene/Player.h"

#include "surfaces/Placement.h"

Player::Player() : ModelObject(false) {}

// The game draws the player with no base, so it stands in eye coordinates in
// front of the camera, wherever the camera is.
void Player::draw(const float* baseMatrix) {
    PlacementScope placed(*this, baseMatrix);
    drawMeshes();
}
