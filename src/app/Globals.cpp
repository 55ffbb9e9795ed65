#include "app/Globals.h"

bool collisionEnabled = true;
bool optimizationEnabled = true;
bool mipmapEnabled = true;
int currentLevel = 1;
Player* player = nullptr;
