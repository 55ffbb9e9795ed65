// Feeds arbitrary bytes to the sound file reader (libsndfile under it)
// through a real file: whatever it accepts must be one channel of plausible
// length at a plausible rate.
#include <cstdint>
#include <string>

#include "LevelFuzzSupport.h"
#include "sound/SoundFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InFuzzDirectory inDirectory;
    InFuzzDirectory::write("./sound.wav", data, size);
    SoundSamples sound;
    std::string error;
    if (readSoundFile("./sound.wav", sound, error)) {
        if (sound.samples.empty() || sound.rate < 1000 || sound.rate > 192000) __builtin_trap();
        if (sound.samples.size() > static_cast<std::size_t>(longestSoundSeconds * sound.rate)) __builtin_trap();
    } else if (error.empty()) {
        __builtin_trap();
    }
    return 0;
}
