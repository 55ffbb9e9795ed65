#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TempDir.h"
#include "sound/SoundBuffer.h"
#include "sound/SoundFile.h"
#include "sound/SoundSource.h"

namespace {
void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A 16-bit PCM WAV file whose header claims `claimedFrames` and whose data
// holds `samples` (interleaved).
std::string wav(int channels, int rate, const std::vector<std::int16_t>& samples, std::uint32_t claimedFrames) {
    const std::uint32_t dataBytes = claimedFrames * static_cast<std::uint32_t>(channels) * 2;
    std::string out = "RIFF";
    put(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    put(out, 16, 4);
    put(out, 1, 2);
    put(out, static_cast<std::uint32_t>(channels), 2);
    put(out, static_cast<std::uint32_t>(rate), 4);
    put(out, static_cast<std::uint32_t>(rate * channels * 2), 4);
    put(out, static_cast<std::uint32_t>(channels * 2), 2);
    put(out, 16, 2);
    out += "data";
    put(out, dataBytes, 4);
    for (std::int16_t s : samples) put(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

std::string wav(int channels, int rate, const std::vector<std::int16_t>& samples) {
    return wav(channels, rate, samples,
               static_cast<std::uint32_t>(samples.size() / static_cast<std::size_t>(channels)));
}
}  // namespace

TEST(SoundFile, StereoIsMixedDownToOneChannelAtItsRate) {
    TempDir dir;
    dir.write("s.wav", wav(2, 22050, {1000, 3000, -400, -800, 32767, 32767, -32768, -32768}));
    SoundSamples sound;
    std::string error;
    ASSERT_TRUE(readSoundFile("s.wav", sound, error)) << error;
    EXPECT_EQ(sound.rate, 22050);
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{2000, -600, 32767, -32768}));
}

TEST(SoundFile, HostileFilesAreRefusedWithTheirName) {
    TempDir dir;
    dir.write("empty.wav", "");
    dir.write("garbage.wav", std::string(300, '\x7f'));
    dir.write("no-samples.wav", wav(1, 22050, {}));
    dir.write("too-long.wav", wav(1, 1000, std::vector<std::int16_t>(31 * 1000, 5)));
    dir.write("many-channels.wav", wav(9, 22050, std::vector<std::int16_t>(9 * 4, 5)));
    dir.write("slow.wav", wav(1, 10, std::vector<std::int16_t>(20, 5)));
    for (const char* name : {"missing.wav", "empty.wav", "garbage.wav", "no-samples.wav", "too-long.wav",
                             "many-channels.wav", "slow.wav"}) {
        SoundSamples sound;
        std::string error;
        EXPECT_FALSE(readSoundFile(name, sound, error)) << name;
        EXPECT_NE(error.find(name), std::string::npos) << error;
        EXPECT_TRUE(sound.samples.empty()) << name;
    }
}

TEST(SoundFile, AHeaderClaimingMoreThanTheFileHoldsReadsWhatIsThere) {
    TempDir dir;
    dir.write("cut.wav", wav(1, 22050, {1, 2, 3, 4}, 1000000));
    SoundSamples sound;
    std::string error;
    if (readSoundFile("cut.wav", sound, error)) {
        EXPECT_LE(sound.samples.size(), 4u);
    } else {
        EXPECT_NE(error.find("cut.wav"), std::string::npos);
    }
}

// Without an audio device (no current context) every owner stays empty and
// playing does nothing.
TEST(SoundFile, WithoutAContextBuffersAndSourcesAreSilent) {
    SoundSamples sound;
    sound.rate = 22050;
    sound.samples.assign(100, 7);
    SoundBuffer buffer(sound);
    SoundSource source;
    EXPECT_TRUE(buffer.empty());
    EXPECT_TRUE(source.empty());
    source.attachToListener();
    source.play(buffer);
    SoundSource moved = std::move(source);
    EXPECT_TRUE(moved.empty());
}
