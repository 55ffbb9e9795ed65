#pragma once

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
    // Heard from `position` in the world: at full loudness up to
    // `referenceDistance`, falling off beyond it (inverse distance) until
    // `maxDistance`, from where it stays as quiet as there.
    void placeInWorld(const float position[3], float referenceDistance, float maxDistance);
    void setGain(float gain);
    // Starts `buffer` from its beginning, cutting off what played before;
    // `looping` plays it again and again until stopped.
    void play(const SoundBuffer& buffer, bool looping = false);
    void stop();
    // Pauses a playing sound; resume() goes on with a paused one only.
    void pause();
    void resume();
    bool playing() const;
    // Playing or paused: not yet at its end.
    bool sounding() const;
    bool empty() const { return name_ == 0; }

private:
    unsigned name_ = 0;
};
