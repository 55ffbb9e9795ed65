#pragma once
#include <cstdint>

// The game clock: seconds since the program started, from a steady counter.
class Timer {
public:
    Timer();
    // Seconds since construction; 0 for ever when the clock has no frequency.
    float elapsed() const;

    std::int64_t frequency = 0;   // counter ticks per second
    std::int64_t startCount = 0;  // counter value at construction
    float secondsPerTick = 0;
};

extern Timer timer;
