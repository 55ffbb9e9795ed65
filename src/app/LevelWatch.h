#pragma once
#include <string>

// --watch: the current level is loaded again when any file the game read for
// it (level files, models, textures) changes on disk. The player stays where
// they stand. A reload the checker finds fault with prints its first error on
// stderr; the game shows its own message as for any load.

// The checker's first error in a level, empty for none. The checker sits
// above the game, so the program's entry hands it in; without it a reload
// shows only the game's own message.
extern std::string (*findLevelError)(int level);

// Starts watching; every file opened from now on is watched.
void startLevelWatch();
// Once per frame: reloads once the changed files have been quiet for a
// moment, so that a save in several steps is read whole. Nothing without --watch.
void pollLevelWatch();
