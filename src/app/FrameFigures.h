#pragma once
#include <cstdio>
#include <vector>

#include "level/LevelLoader.h"

// What --timedemo measures: every frame's time and its parts, and every
// death-to-next-frame time, all in milliseconds.
class FrameFigures {
public:
    // The parts of one frame; its whole time goes into frameTimes.
    void addParts(double idle, double drawing, double collision, double swap);

    // "N frames, S seconds: A fps (min B, 1% low C)", then the average
    // milliseconds per frame of the idle step, drawing, collision pass and
    // buffer swap, then every level load and death-to-next-frame time.
    void print(std::FILE* out, double seconds, const std::vector<LevelLoadTime>& levelLoads) const;

    std::vector<double> frameTimes;
    double idleTotal = 0;
    double drawingTotal = 0;
    double collisionTotal = 0;
    double swapTotal = 0;
    std::vector<double> deathToNextFrame;
};
