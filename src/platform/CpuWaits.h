#pragma once

// What the machine, not the game, takes from a stretch of time. On a shared
// virtual machine a frame can be slow because a thread of the process stood
// ready with no processor to run on, or because the host ran something else
// on this machine's processors (its "steal" time); bench/frame_waits.sh sets
// the slowest frames against these.
struct CpuWaits {
    double readyMs = 0;   // summed over the process's threads: ready to run, not running
    double stolenMs = 0;  // machine-wide, in whole clock ticks
};

// The totals since the process (ready) and the machine (stolen) started; a
// stretch's waits are the difference of two readings. Zero where the system
// does not tell (anything but Linux).
CpuWaits cpuWaitsSoFar();

CpuWaits operator-(const CpuWaits& later, const CpuWaits& earlier);
