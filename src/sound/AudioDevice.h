#pragma once
#include <string>

// The default audio device and a context on it, current while this lives.
// When either cannot be had, isOpen() is false, failure() says why, and every
// sound made afterwards stays silent.
class AudioDevice {
public:
    AudioDevice();
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    bool isOpen() const { return context_ != nullptr; }
    const std::string& failure() const { return failure_; }
    // Seconds of sound the device has mixed since it opened: where a sound
    // started now begins in its output. -1 where the device cannot tell.
    double clockSeconds() const;

private:
    void* device_ = nullptr;   // ALCdevice
    void* context_ = nullptr;  // ALCcontext
    std::string failure_;
    void* clock_ = nullptr;  // alcGetInteger64vSOFT, where the device has it
};
