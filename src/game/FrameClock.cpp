#include "game/FrameClock.h"

#include "platform/Timer.h"

namespace {
bool clockRunning = false;
float lastIdleTime = 0;
}  // namespace

void restartFrameClock() {
    lastIdleTime = timer.elapsed();
    clockRunning = true;
}

float nextFrameTime() {
    if (!clockRunning) restartFrameClock();
    const float dt = timer.elapsed() - lastIdleTime;
    lastIdleTime += dt;
    return dt;
}
