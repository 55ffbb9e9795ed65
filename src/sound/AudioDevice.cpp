#include "sound/AudioDevice.h"

AudioDevice::AudioDevice() {
    device_ = alcOpenDevice(nullptr);
    if (!device_) {
        failure_ = "no audio device";
        return;
    }
    context_ = alcCreateContext(device_, nullptr);
    if (!context_ || alcMakeContextCurrent(context_) != ALC_TRUE) {
        failure_ = "the audio device gives no context";
        if (context_) alcDestroyContext(context_);
        context_ = nullptr;
        alcCloseDevice(device_);
        device_ = nullptr;
    }
}

AudioDevice::~AudioDevice() {
    if (context_) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context_);
    }
    if (device_) alcCloseDevice(device_);
}
