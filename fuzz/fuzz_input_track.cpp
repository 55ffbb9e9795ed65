// The reader of demos and input scripts over arbitrary bytes: no overrun, no
// overflow, and never more frames or keys than it promises.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/InputTrack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::vector<char> bytes(data, data + size);
    InputTrack track;
    std::string error;
    if (readInputTrack(fmemopen(bytes.data(), bytes.size(), "r"), "fuzz", track, error) != TrackRead::Read) return 0;
    if (track.frameTimes.size() > maxTrackFrames || track.keys.size() > maxTrackFrames) std::abort();
    std::uint32_t previous = 0;
    for (const TrackKey& key : track.keys) {
        // Keys come in frame order, none later than just after the last step.
        if (key.frame < previous || key.frame > track.frameTimes.size()) std::abort();
        previous = key.frame;
    }
    return 0;
}
