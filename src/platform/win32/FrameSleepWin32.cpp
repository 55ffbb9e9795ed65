#include <windows.h>

#include <mmsystem.h>

#include <thread>

#include "platform/FrameSleep.h"

void sleepUntil(std::chrono::steady_clock::time_point until) {
    // Windows sleeps in steps of its timer tick, 15.6 ms unless asked for
    // finer ones: too coarse to hold 60 frames a second.
    static const bool fineTimer = timeBeginPeriod(1) == TIMERR_NOERROR;
    (void)fineTimer;
    std::this_thread::sleep_until(until);
}
