#pragma once

// What the player is heard doing, and the exit passed through.
enum class PlayerCue { Step, Jump, Land, Struck, Fall, Drown, Exit };

// The sound names of the cues (sounds/NAME.wav), in PlayerCue order.
inline constexpr const char* playerCueNames[] = {"step", "jump", "land", "struck", "fall", "drown", "exit"};

// The walk animation's frames where a foot comes down.
inline constexpr float footfallFrames[] = {8, 23};

// Plays a cue from the listener's own place; nothing when it has no sound.
void playPlayerCue(PlayerCue cue);

// Whether the walk, advanced from frame `from` to frame `to` (wrapping from
// its last frame back to its first), passed a footfall in (from, to].
bool footfallBetween(float from, float to);
