#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A sound as the mixer takes it: one channel of 16-bit samples.
struct SoundSamples {
    std::vector<std::int16_t> samples;
    int rate = 0;  // samples per second
};

// The longest sound read: longer files are refused rather than held.
inline constexpr double longestSoundSeconds = 30;

// Reads any file libsndfile knows (WAV, FLAC, Ogg Vorbis, ...), mixing
// several channels down to one. False, with `error` set, for a file that is
// missing, unreadable, empty, longer than longestSoundSeconds or of an
// implausible rate or channel count.
bool readSoundFile(const std::string& path, SoundSamples& out, std::string& error);
