#pragma once
#include <AL/alc.h>

#include <string>

// The default audio device and a context on it, current while this lives.
// When either cannot be had, isOpen() is false, failure() says why, and
// every sound made afterwards stays silent.
class AudioDevice {
public:
    AudioDevice();
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    bool isOpen() const { return context_ != nullptr; }
    const std::string& failure() const { return failure_; }

private:
    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    std::string failure_;
};
