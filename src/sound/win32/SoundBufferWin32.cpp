#include "sound/SoundBuffer.h"

#include <cstring>
#include <utility>

#include "sound/win32/DirectSound.h"

namespace {
// The device's buffer behind a name; null for a name the closed device's
// tables no longer hold.
IDirectSoundBuffer** bufferSlot(unsigned name) {
    if (!directSound || name == 0 || name > directSound->buffers.size()) return nullptr;
    return &directSound->buffers[name - 1];
}

void releaseBufferName(unsigned name) {
    IDirectSoundBuffer** slot = bufferSlot(name);
    if (!slot) return;
    // A voice still holding a copy of it would take a later buffer in this
    // place for the same sound.
    for (DirectSoundVoice& voice : directSound->voices) {
        if (voice.buffer == name) dropVoiceCopy(voice);
    }
    releaseOnce(*slot);
}

bool fillBuffer(IDirectSoundBuffer* buffer, const SoundSamples& sound, DWORD bytes) {
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0, secondBytes = 0;
    if (FAILED(buffer->Lock(0, 0, &first, &firstBytes, &second, &secondBytes, DSBLOCK_ENTIREBUFFER))) return false;
    const bool whole = first && firstBytes == bytes;
    if (whole) std::memcpy(first, sound.samples.data(), bytes);
    buffer->Unlock(first, firstBytes, second, secondBytes);
    return whole;
}
}  // namespace

SoundBuffer::SoundBuffer(const SoundSamples& sound) {
    if (!directSound || sound.samples.empty() || sound.rate < DSBFREQUENCY_MIN || sound.rate > DSBFREQUENCY_MAX) return;
    const std::size_t size = sound.samples.size() * sizeof(sound.samples[0]);
    if (size > DSBSIZE_MAX) return;
    const DWORD bytes = static_cast<DWORD>(size);
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = static_cast<DWORD>(sound.rate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags =
        DSBCAPS_STATIC | DSBCAPS_CTRL3D | DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS | DSBCAPS_GETCURRENTPOSITION2;
    description.dwBufferBytes = bytes;
    description.lpwfxFormat = &format;
    description.guid3DAlgorithm = DS3DALG_DEFAULT;
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(directSound->device->CreateSoundBuffer(&description, &buffer, nullptr)) || !buffer) return;
    if (!fillBuffer(buffer, sound, bytes)) {
        buffer->Release();
        return;
    }
    std::vector<IDirectSoundBuffer*>& buffers = directSound->buffers;
    std::size_t place = 0;
    while (place < buffers.size() && buffers[place]) ++place;
    if (place == buffers.size()) buffers.push_back(nullptr);
    buffers[place] = buffer;
    name_ = static_cast<unsigned>(place + 1);
}

SoundBuffer::~SoundBuffer() { releaseBufferName(name_); }

SoundBuffer::SoundBuffer(SoundBuffer&& other) noexcept : name_(std::exchange(other.name_, 0)) {}

SoundBuffer& SoundBuffer::operator=(SoundBuffer&& other) noexcept {
    if (this != &other) {
        releaseBufferName(name_);
        name_ = std::exchange(other.name_, 0);
    }
    return *this;
}
