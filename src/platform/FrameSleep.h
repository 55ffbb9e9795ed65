#pragma once
#include <chrono>

// Sleeps, without spinning, until `until`: to within about a millisecond
// where the system's timer allows.
void sleepUntil(std::chrono::steady_clock::time_point until);
