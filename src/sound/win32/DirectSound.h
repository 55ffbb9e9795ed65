#pragma once
// What the Windows sound layer's parts share: the open DirectSound device's
// listener and the tables behind the opaque names of SoundBuffer (a static
// buffer) and SoundSource (a voice), each name a 1-based index. The tables
// grow while a level loads and reuse freed places, so steady play makes
// no heap allocation.
// In this order: each needs the types of those before it.
#include <windows.h>

#include <mmsystem.h>

#include <dsound.h>

#include <vector>

struct DirectSoundVoice {
    bool used = false;
    // A duplicate of the buffer it plays (sharing its samples), kept while
    // the same buffer is played again, so that footsteps make no COM objects.
    IDirectSoundBuffer* copy = nullptr;
    IDirectSound3DBuffer8* placed = nullptr;
    unsigned buffer = 0;  // the SoundBuffer name `copy` duplicates
    // Remembered for each new copy; z already turned to DirectSound's axes.
    float position[3] = {0, 0, 0};
    float minDistance = 1;
    float maxDistance = DS3D_DEFAULTMAXDISTANCE;
    bool headRelative = false;
    float gain = 1;
    bool looping = false;
    bool paused = false;
};

struct DirectSoundState {
    IDirectSound8* device = nullptr;  // AudioDevice's
    IDirectSound3DListener8* listener = nullptr;
    float listenerGain = 1;
    std::vector<IDirectSoundBuffer*> buffers;  // null where free
    std::vector<DirectSoundVoice> voices;
};

// The open device's state; null without one, and then every buffer, source
// and listener call does nothing.
extern DirectSoundState* directSound;

// DirectSound's volume, in hundredths of a decibel, for a gain (1 as recorded).
LONG directSoundVolume(float gain);
// Sets the voice's copy to its own gain times the listener's.
void applyVoiceGain(const DirectSoundVoice& voice);
// Releases the voice's copy, stopping it.
void dropVoiceCopy(DirectSoundVoice& voice);

template <class Interface>
void releaseOnce(Interface*& object) {
    if (object) object->Release();
    object = nullptr;
}
