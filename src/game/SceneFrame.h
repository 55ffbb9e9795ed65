#pragma once
#include <cstddef>

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
// that follows: the player, the level object, objects, sorted objects. The
// water's waves move on with each drawing unless the game is paused or
// `wavesStand`.
void drawScene(bool wavesStand = false);
// Counts the drawings of the scene: an object drawn in the last one has its
// matrixDrawing set to it.
extern unsigned long sceneDrawing;
// The object at `index` of `objects` has moved: the drawing judges it anew.
void objectMoved(std::size_t index);
// Draws the level once, every object of it, into the back buffer and waits
// for the driver: whatever the driver does on first use (compiling code for
// a new combination of state, taking in textures) then happens during the
// load, not in the first frames of play. Moves nothing on and leaves the GL
// state as it was. Start-up calls it; a level load sets warmUpPending, and
// the next drawing of the scene calls it first, because a load in the
// collision pass comes after the frame's own drawing, which is still to be shown.
void warmUpScene();
extern bool warmUpPending;
// Pushes a changed optimisation switch into the objects of the level.
void pushOptimizationSwitch();
