#pragma once

// What the player is heard doing.
enum class PlayerCue { Step, Jump, Land, Struck, Fall, Drown };

// The sound files of the cues, under the data directory, in PlayerCue order.
inline constexpr const char* playerCueFiles[] = {
    "sounds/step.wav", "sounds/jump.wav", "sounds/land.wav", "sounds/struck.wav", "sounds/fall.wav", "sounds/drown.wav",
};

// The walk animation's frames where a foot comes down.
inline constexpr float footfallFrames[] = {8, 23};

// Opens the audio device, once, for the rest of the run. Without one the game
// goes on silently after one line on stderr.
void startSound();
// Reads the cue files the first time a level loads; a missing or broken file
// leaves its cue silent after one line on stderr. Nothing without startSound().
void loadPlayerSounds();
// Plays a cue from the listener's own place; nothing when it has no sound.
void playPlayerCue(PlayerCue cue);
// The listener stands where the player stands and faces as the camera does.
void placeListenerAtPlayer();
// Closes the device; the game is silent afterwards.
void endSound();

// Whether the walk, advanced from frame `from` to frame `to` (wrapping from
// its last frame back to its first), passed a footfall in (from, to].
bool footfallBetween(float from, float to);
