#include "sound/Listener.h"

#include "sound/win32/DirectSound.h"

// The game's coordinates are right-handed, DirectSound's left-handed: z
// turns round, so that what is on the left is heard on the left.
void placeListener(const float position[3], const float forward[3]) {
    if (!directSound) return;
    IDirectSound3DListener8* listener = directSound->listener;
    listener->SetPosition(position[0], position[1], -position[2], DS3D_DEFERRED);
    listener->SetOrientation(forward[0], forward[1], -forward[2], 0, 1, 0, DS3D_DEFERRED);
    listener->CommitDeferredSettings();
}

// DirectSound has no gain of the listener's: it goes into each voice's volume.
void setListenerGain(float gain) {
    if (!directSound) return;
    directSound->listenerGain = gain;
    for (const DirectSoundVoice& voice : directSound->voices) applyVoiceGain(voice);
}
