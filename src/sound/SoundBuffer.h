#pragma once
#include "sound/SoundFile.h"

// An OpenAL buffer holding one sound; empty (name 0) when there is no
// current context or the upload failed. Move-only; the buffer is deleted
// with the object, so it must outlive every source playing it.
class SoundBuffer {
public:
    SoundBuffer() = default;
    explicit SoundBuffer(const SoundSamples& sound);
    ~SoundBuffer();
    SoundBuffer(SoundBuffer&& other) noexcept;
    SoundBuffer& operator=(SoundBuffer&& other) noexcept;
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    unsigned name() const { return name_; }
    bool empty() const { return name_ == 0; }

private:
    unsigned name_ = 0;
};
