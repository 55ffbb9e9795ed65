#pragma once

// The text and caption of the message that ends a life.
inline constexpr const char* deathMessageText = "          You are dead!          ";
inline constexpr const char* deathMessageCaption = "Game Over";

// Sinking after an abyss, the death animation, then the message and the
// restart of the level. Does nothing while the player is alive.
void updateFallAndDeath(float dt);
