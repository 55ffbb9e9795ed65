#pragma once

class Player;

// The player character; lives for the whole run once the game has started.
extern Player* player;

// Held keys, set and cleared by the keyboard callbacks.
extern bool keyForward, keyBackward, keyTurnLeft, keyTurnRight;
extern bool keyPageUp, keyPageDown, keyStrafeLeft, keyStrafeRight;
extern bool jumpRequested;

// The movement block set by the collision pass: the last wall or lattice it
// touched, and the directions that every contact of that pass stops (bits of
// directionBit), so that at a corner both walls hold.
extern bool blocked;
extern short blockAxis;  // 0 = x, 2 = z
extern short blockSign;  // +1 or -1
extern unsigned blockedDirections;

// The world stands still while this is on (key "p"): no game step, no
// collision pass, no waves; only Esc, "p" and "h" act, and releases are taken.
extern bool paused;
// The list of keys is shown over the scene (key "h").
extern bool helpShown;

// The player's life cycle.
extern bool dead;
extern bool falling;
extern float fallTime;

// Called by every level load before anything is read: ends blocks, jumps,
// falls and deaths, and puts the player back in its standing pose. The held
// keys stay.
void resetGameStateForLoad();
