#include "game/GameState.h"

#include "scene/Player.h"

Player* player = nullptr;

bool keyForward = false, keyBackward = false, keyTurnLeft = false, keyTurnRight = false;
bool keyPageUp = false, keyPageDown = false, keyStrafeLeft = false, keyStrafeRight = false;
bool jumpRequested = false;

bool blocked = false;
short blockAxis = 0;
short blockSign = 0;
unsigned blockedDirections = 0;

bool paused = false;
bool helpShown = false;

bool dead = false;
bool falling = false;
float fallTime = 0;

void resetGameStateForLoad() {
    blocked = false;
    blockedDirections = 0;
    jumpRequested = false;
    dead = false;
    falling = false;
    fallTime = 0;

    // A jump or a fall must not carry over into the next level: the player
    // would float or stand sunk into the ground there.
    if (player) {
        player->jumpHeight = 0;
        player->jumpTimer = 0;
        player->jumpRising = false;
        // A load during a jump would leave the player standing in the jump pose.
        player->resetAnimation(0);
    }
}
