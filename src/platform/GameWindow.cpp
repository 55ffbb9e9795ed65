#include "platform/GameWindow.h"

#include <GL/glx.h>

GameWindow currentGameWindow() {
    GameWindow game;
    game.display = glXGetCurrentDisplay();
    game.window = game.display ? glXGetCurrentDrawable() : None;
    if (game.window == None) game.display = nullptr;
    return game;
}
