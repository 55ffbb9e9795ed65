#pragma once

class Player;

// The player's fixed placement, animation segments and bounding circle.
void configurePlayer(Player& p);
// Start-up: creates the player with its model and fixed fields, loads level currentLevel.
void startScene();
// The scene part of a frame: player, level object, objects, sorted objects,
// and the collision pass when it is on.
void renderScene();
// The drawing part of renderScene: every object, each storing its matrix for
// the collision pass that follows.
void drawScene();
// Pushes a changed optimisation switch into the objects of the level.
void pushOptimizationSwitch();
