#include "sound/SoundSource.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <utility>

#include "sound/SoundBuffer.h"

namespace {
ALint stateOf(unsigned name) {
    ALint state = AL_STOPPED;
    alGetSourcei(name, AL_SOURCE_STATE, &state);
    return state;
}
}  // namespace

SoundSource::SoundSource() {
    if (!alcGetCurrentContext()) return;
    alGetError();
    ALuint name = 0;
    alGenSources(1, &name);
    if (alGetError() == AL_NO_ERROR) name_ = name;
}

SoundSource::~SoundSource() {
    if (!name_) return;
    alSourceStop(name_);
    alDeleteSources(1, &name_);
}

SoundSource::SoundSource(SoundSource&& other) noexcept : name_(std::exchange(other.name_, 0)) {}

SoundSource& SoundSource::operator=(SoundSource&& other) noexcept {
    if (this != &other) {
        if (name_) {
            alSourceStop(name_);
            alDeleteSources(1, &name_);
        }
        name_ = std::exchange(other.name_, 0);
    }
    return *this;
}

void SoundSource::attachToListener() {
    if (!name_) return;
    alSourcei(name_, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(name_, AL_POSITION, 0, 0, 0);
}

void SoundSource::placeInWorld(const float position[3], float referenceDistance, float maxDistance) {
    if (!name_) return;
    alSourcei(name_, AL_SOURCE_RELATIVE, AL_FALSE);
    alSourcefv(name_, AL_POSITION, position);
    alSourcef(name_, AL_REFERENCE_DISTANCE, referenceDistance);
    alSourcef(name_, AL_MAX_DISTANCE, maxDistance);
    alSourcef(name_, AL_ROLLOFF_FACTOR, 1);
}

void SoundSource::setGain(float gain) {
    if (name_) alSourcef(name_, AL_GAIN, gain);
}

void SoundSource::play(const SoundBuffer& buffer, bool looping) {
    if (!name_ || buffer.empty()) return;
    alSourceStop(name_);
    alSourcei(name_, AL_BUFFER, static_cast<ALint>(buffer.name()));
    alSourcei(name_, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
    alSourcePlay(name_);
}

void SoundSource::stop() {
    if (name_) alSourceStop(name_);
}

void SoundSource::pause() {
    if (name_ && stateOf(name_) == AL_PLAYING) alSourcePause(name_);
}

void SoundSource::resume() {
    if (name_ && stateOf(name_) == AL_PAUSED) alSourcePlay(name_);
}

bool SoundSource::playing() const { return name_ && stateOf(name_) == AL_PLAYING; }

bool SoundSource::sounding() const {
    if (!name_) return false;
    const ALint state = stateOf(name_);
    return state == AL_PLAYING || state == AL_PAUSED;
}
