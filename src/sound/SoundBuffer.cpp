#include "sound/SoundBuffer.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <utility>

SoundBuffer::SoundBuffer(const SoundSamples& sound) {
    if (!alcGetCurrentContext() || sound.samples.empty()) return;
    alGetError();
    ALuint name = 0;
    alGenBuffers(1, &name);
    if (alGetError() != AL_NO_ERROR) return;
    alBufferData(name, AL_FORMAT_MONO16, sound.samples.data(),
                 static_cast<ALsizei>(sound.samples.size() * sizeof(sound.samples[0])), sound.rate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &name);
        return;
    }
    name_ = name;
}

SoundBuffer::~SoundBuffer() {
    if (name_) alDeleteBuffers(1, &name_);
}

SoundBuffer::SoundBuffer(SoundBuffer&& other) noexcept : name_(std::exchange(other.name_, 0)) {}

SoundBuffer& SoundBuffer::operator=(SoundBuffer&& other) noexcept {
    if (this != &other) {
        if (name_) alDeleteBuffers(1, &name_);
        name_ = std::exchange(other.name_, 0);
    }
    return *this;
}
