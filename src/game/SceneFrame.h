#pragma once

class Player;

// Objects draw from display lists and vertex arrays while this is on (key "o").
extern bool optimizationEnabled;

// The radius of the player's bounding circle, which the walls stop.
inline constexpr float playerRadius = 0.2f;

// The player's fixed placement, animation segments and bounding circle.
void configurePlayer(Player& p);
// Start-up: creates the player with its model and fixed fields, enters level currentLevel.
void startScene();
// Every object of the frame, each storing its matrix for the collision pass
// that follows: the player, the level object, objects, sorted objects.
void drawScene();
// Pushes a changed optimisation switch into the objects of the level.
void pushOptimizationSwitch();
