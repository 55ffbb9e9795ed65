#pragma once

class Player;

// The game's switches, shown in the status line and toggled by keys.
extern bool collisionEnabled;
extern bool optimizationEnabled;
extern bool mipmapEnabled;
// The level that is loaded, 1 to 3.
extern int currentLevel;
// The player character; lives for the whole run once the game has started.
extern Player* player;
