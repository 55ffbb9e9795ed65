#include "sound/Listener.h"

#include <AL/al.h>
#include <AL/alc.h>

void placeListener(const float position[3], const float forward[3]) {
    if (!alcGetCurrentContext()) return;
    const ALfloat orientation[6] = {forward[0], forward[1], forward[2], 0, 1, 0};
    alListenerfv(AL_POSITION, position);
    alListenerfv(AL_ORIENTATION, orientation);
}

void setListenerGain(float gain) {
    if (alcGetCurrentContext()) alListenerf(AL_GAIN, gain);
}
