#include "app/FrameCap.h"

#include <chrono>
#include <cstdio>

#include "app/FrameSettings.h"
#include "platform/FrameSleep.h"
#include "platform/SwapControl.h"

namespace {
using Clock = std::chrono::steady_clock;

int capFps = 0;
Clock::time_point due;
bool counting = false;
void (*uncappedIdle)() = nullptr;

void idleUnderCap() {
    holdFrameRate();
    uncappedIdle();
}
}  // namespace

void startFrameCap(const FrameSettings& frame, bool measuring) {
    for (const FrameSettings::Problem& problem : frame.problems)
        std::fprintf(stderr, "zarnoth: zarnoth.ini:%d: %s\n", problem.line, problem.text.c_str());
    capFps = measuring ? 0 : frame.maxFps;
    counting = false;
    if (!measuring && frame.vsync) requestSwapInterval(1);
}

void (*cappedIdle(void (*idle)()))() {
    if (capFps <= 0) return idle;
    uncappedIdle = idle;
    return idleUnderCap;
}

void holdFrameRate() {
    if (capFps <= 0) return;
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / capFps));
    const auto now = Clock::now();
    if (!counting || now - due > period) {
        due = now;
        counting = true;
    } else if (due > now) {
        sleepUntil(due);
    }
    due += period;
}
