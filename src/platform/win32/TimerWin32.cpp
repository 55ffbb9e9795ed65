#include <windows.h>

#include "platform/Timer.h"

namespace {
std::int64_t counterNow() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}
}  // namespace

Timer timer;

Timer::Timer() {
    LARGE_INTEGER ticksPerSecond;
    if (QueryPerformanceFrequency(&ticksPerSecond) && ticksPerSecond.QuadPart > 0) {
        frequency = ticksPerSecond.QuadPart;
        startCount = counterNow();
        secondsPerTick = static_cast<float>(1.0 / static_cast<double>(frequency));
    }
}

float Timer::elapsed() const { return static_cast<float>(counterNow() - startCount) * secondsPerTick; }
