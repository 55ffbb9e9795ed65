#pragma once
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/Frame.h"
#include "game/LevelEntry.h"

// What --timedemo measures: every frame's time and its parts, and every
// death-to-next-frame time, all in milliseconds.
class FrameFigures {
public:
    using Clock = std::chrono::steady_clock;

    // The first frame of the run starts at `start`; `frames` are to come.
    void startRun(Clock::time_point start, std::size_t frames);
    // One frame from `start` to `end`; `deathEnded` when its step ended a death.
    void addFrame(Clock::time_point start, Clock::time_point end, const FrameParts& parts, bool deathEnded);

    // "N frames, S seconds: A fps (min B, 1% low C)", then the average
    // milliseconds per frame of the idle step, drawing, collision pass and
    // buffer swap, then every level load and death-to-next-frame time. The
    // seconds run from the first frame's start to the last frame's end, when
    // `played` (a run without frames lasts 0 seconds).
    void print(std::FILE* out, bool played, const std::vector<LevelLoadTime>& levelLoads) const;

    std::vector<double> frameTimes;
    double idleTotal = 0;
    double drawingTotal = 0;
    double collisionTotal = 0;
    double swapTotal = 0;
    std::vector<double> deathToNextFrame;
    Clock::time_point firstFrame;
    Clock::time_point lastFrameEnd;
};

extern FrameFigures timedemoFigures;
