#include "sound/SoundSource.h"

#include <utility>

#include "sound/SoundBuffer.h"
#include "sound/win32/DirectSound.h"

namespace {
// The device's voice behind a name; null for a name the closed device's
// tables no longer hold.
DirectSoundVoice* voiceNamed(unsigned name) {
    if (!directSound || name == 0 || name > directSound->voices.size()) return nullptr;
    DirectSoundVoice& voice = directSound->voices[name - 1];
    return voice.used ? &voice : nullptr;
}

void releaseVoiceName(unsigned name) {
    if (DirectSoundVoice* voice = voiceNamed(name)) {
        dropVoiceCopy(*voice);
        *voice = DirectSoundVoice();
    }
}

void applyVoicePlace(const DirectSoundVoice& voice) {
    IDirectSound3DBuffer8* placed = voice.placed;
    if (!placed) return;
    placed->SetMode(voice.headRelative ? DS3DMODE_HEADRELATIVE : DS3DMODE_NORMAL, DS3D_IMMEDIATE);
    placed->SetPosition(voice.position[0], voice.position[1], voice.position[2], DS3D_IMMEDIATE);
    placed->SetMinDistance(voice.minDistance, DS3D_IMMEDIATE);
    placed->SetMaxDistance(voice.maxDistance, DS3D_IMMEDIATE);
}

bool voicePlaying(const DirectSoundVoice& voice) {
    DWORD status = 0;
    return voice.copy && SUCCEEDED(voice.copy->GetStatus(&status)) && (status & DSBSTATUS_PLAYING);
}

// A copy of `buffer` for the voice, keeping the one it has when it is of
// the same buffer. False when none can be had.
bool copyForVoice(DirectSoundVoice& voice, unsigned buffer) {
    if (voice.copy && voice.buffer == buffer) {
        voice.copy->Stop();
        voice.copy->SetCurrentPosition(0);
        return true;
    }
    dropVoiceCopy(voice);
    IDirectSoundBuffer* original =
        buffer && buffer <= directSound->buffers.size() ? directSound->buffers[buffer - 1] : nullptr;
    IDirectSoundBuffer* copy = nullptr;
    if (!original || FAILED(directSound->device->DuplicateSoundBuffer(original, &copy)) || !copy) return false;
    IDirectSound3DBuffer8* placed = nullptr;
    if (FAILED(copy->QueryInterface(IID_IDirectSound3DBuffer8, reinterpret_cast<void**>(&placed))) || !placed) {
        copy->Release();
        return false;
    }
    voice.copy = copy;
    voice.placed = placed;
    voice.buffer = buffer;
    applyVoicePlace(voice);
    return true;
}
}  // namespace

SoundSource::SoundSource() {
    if (!directSound) return;
    std::vector<DirectSoundVoice>& voices = directSound->voices;
    std::size_t place = 0;
    while (place < voices.size() && voices[place].used) ++place;
    if (place == voices.size()) voices.emplace_back();
    voices[place].used = true;
    name_ = static_cast<unsigned>(place + 1);
}

SoundSource::~SoundSource() { releaseVoiceName(name_); }

SoundSource::SoundSource(SoundSource&& other) noexcept : name_(std::exchange(other.name_, 0)) {}

SoundSource& SoundSource::operator=(SoundSource&& other) noexcept {
    if (this != &other) {
        releaseVoiceName(name_);
        name_ = std::exchange(other.name_, 0);
    }
    return *this;
}

void SoundSource::attachToListener() {
    DirectSoundVoice* voice = voiceNamed(name_);
    if (!voice) return;
    voice->headRelative = true;
    voice->position[0] = voice->position[1] = voice->position[2] = 0;
    applyVoicePlace(*voice);
}

// z turns round into DirectSound's left-handed axes. Its rolloff (inverse
// distance from the minimum distance, no quieter beyond the maximum) is
// OpenAL's default, with the rolloff factor 1 both keep.
void SoundSource::placeInWorld(const float position[3], float referenceDistance, float maxDistance) {
    DirectSoundVoice* voice = voiceNamed(name_);
    if (!voice) return;
    voice->headRelative = false;
    voice->position[0] = position[0];
    voice->position[1] = position[1];
    voice->position[2] = -position[2];
    voice->minDistance = referenceDistance;
    voice->maxDistance = maxDistance;
    applyVoicePlace(*voice);
}

void SoundSource::setGain(float gain) {
    DirectSoundVoice* voice = voiceNamed(name_);
    if (!voice) return;
    voice->gain = gain;
    applyVoiceGain(*voice);
}

void SoundSource::play(const SoundBuffer& buffer, bool looping) {
    DirectSoundVoice* voice = voiceNamed(name_);
    if (!voice || buffer.empty()) return;
    voice->paused = false;
    if (!copyForVoice(*voice, buffer.name())) return;
    voice->looping = looping;
    applyVoiceGain(*voice);
    voice->copy->Play(0, 0, looping ? DSBPLAY_LOOPING : 0);
}

void SoundSource::stop() {
    DirectSoundVoice* voice = voiceNamed(name_);
    if (!voice || !voice->copy) return;
    voice->copy->Stop();
    voice->copy->SetCurrentPosition(0);
    voice->paused = false;
}

// Stop keeps the place it reached.
void SoundSource::pause() {
    DirectSoundVoice* voice = voiceNamed(name_);
    if (!voice || !voicePlaying(*voice)) return;
    voice->copy->Stop();
    voice->paused = true;
}

void SoundSource::resume() {
    DirectSoundVoice* voice = voiceNamed(name_);
    if (!voice || !voice->paused) return;
    voice->paused = false;
    voice->copy->Play(0, 0, voice->looping ? DSBPLAY_LOOPING : 0);
}

bool SoundSource::playing() const {
    const DirectSoundVoice* voice = voiceNamed(name_);
    return voice && voicePlaying(*voice);
}

// A sound that ran to its end is neither playing nor paused.
bool SoundSource::sounding() const {
    const DirectSoundVoice* voice = voiceNamed(name_);
    return voice && (voice->paused || voicePlaying(*voice));
}
