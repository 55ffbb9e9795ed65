#include "sound/SoundFile.h"

#include <sndfile.h>

#include <memory>

namespace {
constexpr int lowestRate = 1000;
constexpr int highestRate = 192000;
constexpr int mostChannels = 8;

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
}  // namespace

bool readSoundFile(const std::string& path, SoundSamples& out, std::string& error) {
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        error = path + ": " + sf_strerror(nullptr);
        return false;
    }
    if (info.samplerate < lowestRate || info.samplerate > highestRate || info.channels < 1 ||
        info.channels > mostChannels) {
        error = path + ": implausible sample rate or channel count";
        return false;
    }
    if (info.frames <= 0 || info.frames > static_cast<sf_count_t>(longestSoundSeconds * info.samplerate)) {
        error = path + ": empty or longer than the longest sound";
        return false;
    }
    const auto channels = static_cast<std::size_t>(info.channels);
    std::vector<short> interleaved(static_cast<std::size_t>(info.frames) * channels);
    const sf_count_t read = sf_readf_short(file.get(), interleaved.data(), info.frames);
    if (read <= 0) {
        error = path + ": no samples could be read";
        return false;
    }
    out.rate = info.samplerate;
    out.samples.assign(static_cast<std::size_t>(read), 0);
    for (std::size_t frame = 0; frame < out.samples.size(); ++frame) {
        long sum = 0;
        for (std::size_t channel = 0; channel < channels; ++channel) sum += interleaved[frame * channels + channel];
        out.samples[frame] = static_cast<std::int16_t>(sum / static_cast<long>(channels));
    }
    return true;
}
