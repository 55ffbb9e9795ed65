#pragma once
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "app/InputTrack.h"
#include "app/KeyNames.h"

// The shipped walkthrough of `level`, data/demos/walkthroughN.txt.
inline InputTrack readWalkthrough(int level) {
    const std::string path = std::string(ZARNOTH_SOURCE_DIR "/data/demos/walkthrough") + std::to_string(level) + ".txt";
    InputTrack track;
    std::string error;
    EXPECT_EQ(readInputTrack(path, path, track, error), TrackRead::Read) << error;
    return track;
}

// Hands the game the track's keys due before idle step `frame`, as a play
// does; `nextKey` is the first key not delivered yet.
inline void deliverKeysDue(const InputTrack& track, std::size_t frame, std::size_t& nextKey) {
    while (nextKey < track.keys.size() && track.keys[nextKey].frame <= frame) {
        deliverKey(track.keys[nextKey].key, track.keys[nextKey].down);
        ++nextKey;
    }
}
