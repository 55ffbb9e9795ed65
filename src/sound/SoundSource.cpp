#include "sound/SoundSource.h"

#include <AL/alc.h>

#include <utility>

#include "sound/SoundBuffer.h"

SoundSource::SoundSource() {
    if (!alcGetCurrentContext()) return;
    alGetError();
    alGenSources(1, &name_);
    if (alGetError() != AL_NO_ERROR) name_ = 0;
}

SoundSource::~SoundSource() {
    if (!name_) return;
    alSourceStop(name_);
    alDeleteSources(1, &name_);
}

SoundSource::SoundSource(SoundSource&& other) noexcept : name_(std::exchange(other.name_, 0)) {}

SoundSource& SoundSource::operator=(SoundSource&& other) noexcept {
    if (this != &other) {
        if (name_) alDeleteSources(1, &name_);
        name_ = std::exchange(other.name_, 0);
    }
    return *this;
}

void SoundSource::attachToListener() {
    if (!name_) return;
    alSourcei(name_, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(name_, AL_POSITION, 0, 0, 0);
}

void SoundSource::play(const SoundBuffer& buffer) {
    if (!name_ || buffer.empty()) return;
    alSourceStop(name_);
    alSourcei(name_, AL_BUFFER, static_cast<ALint>(buffer.name()));
    alSourcePlay(name_);
}

void SoundSource::stop() {
    if (name_) alSourceStop(name_);
}
