#pragma once

// What the game tells the player over the scene, each on its own dark band.

// The level's number and name at the top middle of the window while its
// banner lasts, and under it, after an exit, the time the level took.
void drawLevelBanner();

// pauseNoticeText in the middle of the window while the game is paused.
inline constexpr const char* pauseNoticeText = "Paused - press p to go on";
void drawPauseNotice();
