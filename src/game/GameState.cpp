#include "game/GameState.h"

bool keyForward = false, keyBackward = false, keyTurnLeft = false, keyTurnRight = false;
bool keyPageUp = false, keyPageDown = false, keyStrafeLeft = false, keyStrafeRight = false;
bool jumpRequested = false;

bool blocked = false;
short blockAxis = 0;
short blockSign = 0;

bool dead = false;
bool falling = false;
float fallTime = 0;

void resetGameStateForLoad() {
    blocked = false;
    jumpRequested = false;
    dead = false;
    falling = false;
}

void restartFrameClock() {}
