#pragma once

class SceneObject;

// The game heard through OpenAL: the player's cues (game/PlayerSounds.h), the
// world's sounds placed at their objects, and each level's ambient bed. Sound
// never changes play: without a device, or with sound off, every call here
// does the same to the game.

// How loud the game starts (zarnoth.ini: Sound= and Volume=).
struct SoundStart {
    bool on = true;
    int volume = 80;  // percent, 0 to 100
};

// Opens the audio device, once, for the rest of the run. Without one the game
// goes on silently after one line on stderr. With ZARNOTH_SOUND_TRACE set to
// a file name, every frame and every sound started is written there with the
// device's clock (README, "Sound").
void startSound(const SoundStart& start);
// Closes the device; the game is silent afterwards.
void endSound();

// After level `level` was read (also in part): reads the sound files it needs
// that were not read yet (each once per run; a missing or broken one stays
// silent after one line on stderr) and its optional levels/soundN.txt, stops
// the last level's sounds and starts the new level's loops and bed (a bed that
// stays the same plays on).
void startLevelSounds(int level);

// Once a frame, after the game step: the listener to the player, everything
// paused while the game is. A deadly object's loop starts with its level when
// it moves from the start, else when a switch sets it going
// (playActivatedSound): nothing else sets one moving.
void updateSounds();

// Key "t": sound off and on again, whatever the settings started with.
void toggleSound();
bool soundMuted();

// A switch was pressed; `target`, linked to a pressed switch, was activated.
void playSwitchSound(const SceneObject& pressed);
void playActivatedSound(const SceneObject& target);
