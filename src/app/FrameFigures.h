#pragma once
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

#include "app/Frame.h"
#include "game/LevelEntry.h"
#include "platform/CpuWaits.h"

// What --timedemo measures: every frame's time and its parts, and every
// death-to-next-frame time, all in milliseconds.
class FrameFigures {
public:
    using Clock = std::chrono::steady_clock;

    // The first frame of the run starts at `start`; `frames` are to come.
    void startRun(Clock::time_point start, std::size_t frames);
    // What else happened in a frame besides play.
    struct FrameEvents {
        bool deathEnded = false;        // its step ended a death
        bool levelLoaded = false;       // it loaded a level
        bool newLevelDrawn = true;      // the level loaded last has been drawn by the end of it
        bool messageShown = false;      // it showed a message box
        std::optional<CpuWaits> waits;  // what the machine took from it, when measured
    };
    // One frame from `start` to `end`.
    void addFrame(Clock::time_point start, Clock::time_point end, const FrameParts& parts, const FrameEvents& events);

    // "N frames, S seconds: A fps (min B, 1% low C)", then the average
    // milliseconds per frame of the idle step, drawing, collision pass and
    // buffer swap, then every level load and death-to-next-frame time. The
    // seconds run from the first frame's start to the last frame's end, when
    // `played` (a run without frames lasts 0 seconds). The second line
    // separates play from loads: "play: N frames, 1% low C fps, worst W ms;
    // loads: K, median L ms, worst M ms".
    void print(std::FILE* out, bool played, const std::vector<LevelLoadTime>& levelLoads) const;
    // Every frame of play, one a line in the order played: its milliseconds
    // and its level, then, when measured, the milliseconds its threads stood
    // ready without running and the host took. What a benchmark needs for
    // each level's median frame, which the lines above leave out.
    void writePlayFrames(std::FILE* out) const;

    std::vector<double> frameTimes;
    double idleTotal = 0;
    double drawingTotal = 0;
    double collisionTotal = 0;
    double swapTotal = 0;
    std::vector<double> deathToNextFrame;
    // Frames that neither load a level nor show a message box.
    std::vector<double> playFrameTimes;
    std::vector<int> playFrameLevels;      // the level each of them played
    std::vector<CpuWaits> playFrameWaits;  // for each of them, when measured
    // Each load from the start of the frame that asks for it to the end of the
    // first frame that draws the new level.
    std::vector<double> loadTimes;
    double loadSoFar = 0;
    bool loadGoingOn = false;
    Clock::time_point firstFrame;
    Clock::time_point lastFrameEnd;
};

extern FrameFigures timedemoFigures;
