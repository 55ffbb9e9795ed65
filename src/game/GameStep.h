#pragma once

// One step of the game by `dt` seconds: the held keys move the player (unless
// dying), every animated object moves on, the fall and death run, and the
// walk animates; the level's clock runs. Nothing is drawn and the clock is not read.
void advanceGame(float dt);
