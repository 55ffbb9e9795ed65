#pragma once
#include <atomic>

// A test program that uses these gets a global operator new and delete that
// count, while `countAllocations` is set, every allocation made with no GL
// driver code on the stack: the program's own, not the driver's.
extern std::atomic<bool> countAllocations;
extern std::atomic<int> allocations;
