#include "platform/Timer.h"

#include <chrono>

namespace {
std::int64_t counterNow() { return std::chrono::steady_clock::now().time_since_epoch().count(); }
}  // namespace

Timer timer;

Timer::Timer() {
    using Period = std::chrono::steady_clock::period;
    frequency = Period::den / Period::num;
    if (frequency > 0) {
        startCount = counterNow();
        secondsPerTick = static_cast<float>(1.0 / static_cast<double>(frequency));
    }
}

float Timer::elapsed() const { return static_cast<float>(counterNow() - startCount) * secondsPerTick; }
