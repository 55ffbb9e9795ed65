// The Windows build's sound output: DirectSound, which every Windows has.
#include "sound/AudioDevice.h"

#include <cmath>

#include "sound/win32/DirectSound.h"

DirectSoundState* directSound = nullptr;

namespace {
// Never destroyed: the game's sounds live in a static of their own and may
// be released at exit after this file's statics are gone.
DirectSoundState& openDirectSound = *new DirectSoundState;

IDirectSound8* directSoundDevice(void* device) { return static_cast<IDirectSound8*>(device); }
IDirectSoundBuffer* primaryBuffer(void* context) { return static_cast<IDirectSoundBuffer*>(context); }
}  // namespace

LONG directSoundVolume(float gain) {
    if (!(gain > 0.0001f)) return DSBVOLUME_MIN;
    if (gain >= 1) return DSBVOLUME_MAX;
    return static_cast<LONG>(std::lround(2000 * std::log10(gain)));
}

void applyVoiceGain(const DirectSoundVoice& voice) {
    if (voice.copy && directSound) voice.copy->SetVolume(directSoundVolume(voice.gain * directSound->listenerGain));
}

void dropVoiceCopy(DirectSoundVoice& voice) {
    if (voice.copy) voice.copy->Stop();
    releaseOnce(voice.placed);
    releaseOnce(voice.copy);
    voice.buffer = 0;
    voice.paused = false;
}

AudioDevice::AudioDevice() {
    if (directSound) {
        failure_ = "the audio device is open already";
        return;
    }
    IDirectSound8* device = nullptr;
    if (FAILED(DirectSoundCreate8(nullptr, &device, nullptr)) || !device) {
        failure_ = "no audio device";
        return;
    }
    // The game's window does not exist yet: the desktop's stands in, and
    // every buffer is heard whichever window has the focus (the game pauses
    // its own sounds when it loses it).
    IDirectSoundBuffer* primary = nullptr;
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRL3D;
    IDirectSound3DListener8* listener = nullptr;
    if (FAILED(device->SetCooperativeLevel(GetDesktopWindow(), DSSCL_PRIORITY))) {
        failure_ = "the audio device refuses the game";
    } else if (FAILED(device->CreateSoundBuffer(&description, &primary, nullptr)) || !primary) {
        failure_ = "the audio device gives no primary buffer";
    } else if (FAILED(primary->QueryInterface(IID_IDirectSound3DListener8, reinterpret_cast<void**>(&listener))) ||
               !listener) {
        failure_ = "the audio device places no sound in 3-D";
    }
    if (!failure_.empty()) {
        releaseOnce(listener);
        releaseOnce(primary);
        releaseOnce(device);
        return;
    }
    device_ = device;
    context_ = primary;
    openDirectSound.device = device;
    openDirectSound.listener = listener;
    openDirectSound.listenerGain = 1;
    directSound = &openDirectSound;
}

AudioDevice::~AudioDevice() {
    if (!context_) return;
    // Buffers and sources should be gone by now; whatever is left goes
    // before the device, and their owners find their names unused.
    for (DirectSoundVoice& voice : openDirectSound.voices) dropVoiceCopy(voice);
    for (IDirectSoundBuffer*& buffer : openDirectSound.buffers) releaseOnce(buffer);
    openDirectSound.voices.clear();
    openDirectSound.buffers.clear();
    releaseOnce(openDirectSound.listener);
    openDirectSound.device = nullptr;
    directSound = nullptr;
    IDirectSoundBuffer* primary = primaryBuffer(context_);
    IDirectSound8* device = directSoundDevice(device_);
    releaseOnce(primary);
    releaseOnce(device);
    context_ = nullptr;
    device_ = nullptr;
}

// DirectSound tells a buffer's place in its ring, not how much it has mixed.
double AudioDevice::clockSeconds() const { return -1; }
