#include "game/Input.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "game/Collision.h"
#include "game/GameSounds.h"
#include "game/GameState.h"
#include "game/LevelEntry.h"
#include "game/SceneFrame.h"
#include "level/LevelLoader.h"
#include "scene/Player.h"

void onKeyDown(unsigned char key, int, int) {
    switch (key) {
        case 27:
            std::exit(0);
        case 'p':
            paused = !paused;
            return;
        case 'h':
            helpShown = !helpShown;
            return;
        case 't':
            // Sound is no part of the world: it goes off and on while paused too.
            toggleSound();
            return;
        default:
            break;
    }
    // A paused world takes no game keys; a key pressed now must be pressed again.
    if (paused) return;
    switch (key) {
        case ' ':
            jumpRequested = true;
            if (player) player->jumpRising = true;
            break;
        case ',':
            keyStrafeLeft = true;
            break;
        case '.':
            keyStrafeRight = true;
            break;
        case 'c':
            collisionEnabled = !collisionEnabled;
            break;
        case 'm':
            // Textures are built when a level loads, so the level is loaded again.
            mipmapEnabled = !mipmapEnabled;
            enterLevel(currentLevel, Arrival::WhereStanding);
            break;
        case 'o':
            optimizationEnabled = !optimizationEnabled;
            break;
        default:
            break;
    }
}

// Releases are taken while paused too: a key let go then must not walk on afterwards.
void onKeyUp(unsigned char key, int, int) {
    if (key == ',') keyStrafeLeft = false;
    if (key == '.') keyStrafeRight = false;
}

namespace {
bool* heldFlag(int key) {
    switch (key) {
        case GLUT_KEY_LEFT:
            return &keyTurnLeft;
        case GLUT_KEY_UP:
            return &keyForward;
        case GLUT_KEY_RIGHT:
            return &keyTurnRight;
        case GLUT_KEY_DOWN:
            return &keyBackward;
        case GLUT_KEY_PAGE_UP:
            return &keyPageUp;
        case GLUT_KEY_PAGE_DOWN:
            return &keyPageDown;
        default:
            return nullptr;
    }
}
}  // namespace

void onSpecialDown(int key, int, int) {
    if (paused) return;
    switch (key) {
        case GLUT_KEY_F1:
            enterLevel(currentLevel - 1, Arrival::AtStart);
            return;
        case GLUT_KEY_F2:
            enterLevel(currentLevel + 1, Arrival::AtStart);
            return;
        case GLUT_KEY_F5:
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            return;
        case GLUT_KEY_F6:
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            return;
        default:
            if (bool* flag = heldFlag(key)) *flag = true;
            return;
    }
}

void onSpecialUp(int key, int, int) {
    if (bool* flag = heldFlag(key)) *flag = false;
}

void releaseHeldKeys(void (*specialUp)(int, int, int), void (*keyUp)(unsigned char, int, int)) {
    for (const int key :
         {GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_RIGHT, GLUT_KEY_DOWN, GLUT_KEY_PAGE_UP, GLUT_KEY_PAGE_DOWN}) {
        if (*heldFlag(key)) specialUp(key, 0, 0);
    }
    if (keyStrafeLeft) keyUp(',', 0, 0);
    if (keyStrafeRight) keyUp('.', 0, 0);
}

void releaseHeldKeys() { releaseHeldKeys(onSpecialUp, onKeyUp); }
