#include "platform/FrameSleep.h"

#include <thread>

void sleepUntil(std::chrono::steady_clock::time_point until) { std::this_thread::sleep_until(until); }
