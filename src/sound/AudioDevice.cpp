#include "sound/AudioDevice.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

namespace {
ALCdevice* alcDevice(void* device) { return static_cast<ALCdevice*>(device); }
}  // namespace

AudioDevice::AudioDevice() {
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) {
        failure_ = "no audio device";
        return;
    }
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (!context || alcMakeContextCurrent(context) != ALC_TRUE) {
        failure_ = "the audio device gives no context";
        if (context) alcDestroyContext(context);
        alcCloseDevice(device);
        return;
    }
    device_ = device;
    context_ = context;
    if (alcIsExtensionPresent(device, "ALC_SOFT_device_clock"))
        clock_ = alcGetProcAddress(device, "alcGetInteger64vSOFT");
}

AudioDevice::~AudioDevice() {
    if (context_) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(static_cast<ALCcontext*>(context_));
    }
    if (device_) alcCloseDevice(alcDevice(device_));
}

double AudioDevice::clockSeconds() const {
    if (!clock_) return -1;
    ALCint64SOFT nanoseconds = 0;
    reinterpret_cast<LPALCGETINTEGER64VSOFT>(clock_)(alcDevice(device_), ALC_DEVICE_CLOCK_SOFT, 1, &nanoseconds);
    return static_cast<double>(nanoseconds) / 1e9;
}
