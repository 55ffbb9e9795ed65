#pragma once
#include <AL/al.h>

class SoundBuffer;

// An OpenAL source; silent (name 0) without a current context. Move-only.
class SoundSource {
public:
    SoundSource();
    ~SoundSource();
    SoundSource(SoundSource&& other) noexcept;
    SoundSource& operator=(SoundSource&& other) noexcept;
    SoundSource(const SoundSource&) = delete;
    SoundSource& operator=(const SoundSource&) = delete;

    // Heard at the listener's own place, whatever the listener does.
    void attachToListener();
    // Starts `buffer` from its beginning, cutting off what played before.
    void play(const SoundBuffer& buffer);
    void stop();
    bool empty() const { return name_ == 0; }

private:
    ALuint name_ = 0;
};
