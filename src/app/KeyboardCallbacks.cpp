#include "app/KeyboardCallbacks.h"

#include <GL/freeglut.h>

#include "app/Display.h"
#include "app/KeySettings.h"
#include "app/PlaySession.h"

namespace {
RunCallbacks runKeys{};
const KeySettings* addedKeys = nullptr;

void deliver(GameKey pressed, bool down, int x, int y) {
    const GameKey key = addedKeys ? addedKeys->specifiedKey(pressed) : pressed;
    if (key.special) {
        (down ? runKeys.specialDown : runKeys.specialUp)(key.code, x, y);
    } else {
        (down ? runKeys.keyDown : runKeys.keyUp)(static_cast<unsigned char>(key.code), x, y);
    }
}

void onKeyboardDown(unsigned char key, int x, int y) { deliver(GameKey{false, key}, true, x, y); }
void onKeyboardUp(unsigned char key, int x, int y) { deliver(GameKey{false, key}, false, x, y); }

void onKeyboardSpecialDown(int key, int x, int y) {
    // The window's matter, not the game's: no recording or play holds it.
    if (key == GLUT_KEY_F11) {
        toggleFullScreen();
        return;
    }
    deliver(GameKey{true, key}, true, x, y);
}

void onKeyboardSpecialUp(int key, int x, int y) {
    if (key != GLUT_KEY_F11) deliver(GameKey{true, key}, false, x, y);
}
}  // namespace

void registerKeyboardCallbacks(const RunCallbacks& callbacks, const KeySettings& keys) {
    runKeys = callbacks;
    addedKeys = &keys;
    glutKeyboardFunc(onKeyboardDown);
    glutKeyboardUpFunc(onKeyboardUp);
    glutSpecialFunc(onKeyboardSpecialDown);
    glutSpecialUpFunc(onKeyboardSpecialUp);
}
