// The sound layer of the Windows build, which has no OpenAL (its Debian
// source package cannot be fetched for the cross-build): no device ever
// opens, and as the build has no sound output by design the game says
// nothing about it; every buffer, source and listener call does nothing. Sound files are still read
// (SoundFile.cpp, libsndfile), so zarnoth-check checks them as on Linux.
#include "sound/AudioDevice.h"
#include "sound/Listener.h"
#include "sound/SoundBuffer.h"
#include "sound/SoundSource.h"

AudioDevice::AudioDevice() = default;
AudioDevice::~AudioDevice() = default;
double AudioDevice::clockSeconds() const { return -1; }

void placeListener(const float[3], const float[3]) {}
void setListenerGain(float) {}

SoundBuffer::SoundBuffer(const SoundSamples&) {}
SoundBuffer::~SoundBuffer() = default;
SoundBuffer::SoundBuffer(SoundBuffer&&) noexcept {}
SoundBuffer& SoundBuffer::operator=(SoundBuffer&&) noexcept { return *this; }

SoundSource::SoundSource() = default;
SoundSource::~SoundSource() = default;
SoundSource::SoundSource(SoundSource&&) noexcept {}
SoundSource& SoundSource::operator=(SoundSource&&) noexcept { return *this; }
void SoundSource::attachToListener() {}
void SoundSource::placeInWorld(const float[3], float, float) {}
void SoundSource::setGain(float) {}
void SoundSource::play(const SoundBuffer&, bool) {}
void SoundSource::stop() {}
void SoundSource::pause() {}
void SoundSource::resume() {}
bool SoundSource::playing() const { return false; }
bool SoundSource::sounding() const { return false; }
