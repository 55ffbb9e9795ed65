#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/KeyNames.h"

// A key event of a play, delivered before the idle step `frame`.
struct TrackKey {
    std::uint32_t frame = 0;
    GameKey key;
    bool down = false;
};

// What a play of a demo or an input script feeds the game: the frame time of
// every idle step, and the key events that come before each step.
struct InputTrack {
    std::vector<float> frameTimes;
    // In delivery order, frames ascending; a frame equal to the number of
    // steps comes after the last step, just before the play ends.
    std::vector<TrackKey> keys;

    // A demo's header; a script has none (level 0).
    bool demo = false;
    int level = 0;
    std::string settings;
    std::string checksum;
};

// The most idle steps a file may ask for (over four hours at 60 frames a second).
inline constexpr std::size_t maxTrackFrames = 1000000;

enum class TrackRead { Read, Unreadable, Malformed };

// Reads a demo (first line "zarnoth-demo 1") or else an input script from
// `path`. A file that cannot be read sets `error` to "NAME: cannot be read", a
// line that does not parse to "NAME:LINE: problem", NAME being the file as
// the user named it.
TrackRead readInputTrack(const std::string& path, const std::string& name, InputTrack& track, std::string& error);
// The same from an open file, which it closes; null is unreadable.
TrackRead readInputTrack(std::FILE* file, const std::string& name, InputTrack& track, std::string& error);
