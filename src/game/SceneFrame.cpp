// Placeholder until the game logic lands: the scene is empty.
#include "game/SceneFrame.h"

void startScene() {}
void renderScene() {}
void pushOptimizationSwitch() {}
