#include "platform/CpuWaits.h"

#if defined(__linux__)
#include <dirent.h>
#include <unistd.h>

#include <cstdio>

namespace {
// A thread's schedstat: nanoseconds run, nanoseconds ready without running, slices.
double readyMsOfThread(const char* threadId) {
    char path[64];
    if (std::snprintf(path, sizeof path, "/proc/self/task/%.20s/schedstat", threadId) >= static_cast<int>(sizeof path))
        return 0;
    std::FILE* file = std::fopen(path, "r");
    if (!file) return 0;  // the thread has just ended
    unsigned long long ranNs = 0, readyNs = 0;
    const bool read = std::fscanf(file, "%llu %llu", &ranNs, &readyNs) == 2;
    std::fclose(file);
    return read ? static_cast<double>(readyNs) / 1e6 : 0;
}

// The eighth figure of /proc/stat's "cpu" line: clock ticks stolen by the host.
double stolenMs() {
    std::FILE* file = std::fopen("/proc/stat", "r");
    if (!file) return 0;
    unsigned long long ticks[8] = {};
    const bool read = std::fscanf(file, "cpu %llu %llu %llu %llu %llu %llu %llu %llu", &ticks[0], &ticks[1], &ticks[2],
                                  &ticks[3], &ticks[4], &ticks[5], &ticks[6], &ticks[7]) == 8;
    std::fclose(file);
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    return read && ticksPerSecond > 0 ? static_cast<double>(ticks[7]) * 1000 / static_cast<double>(ticksPerSecond) : 0;
}
}  // namespace

CpuWaits cpuWaitsSoFar() {
    CpuWaits waits;
    if (DIR* threads = opendir("/proc/self/task")) {
        while (const dirent* entry = readdir(threads))
            if (entry->d_name[0] != '.') waits.readyMs += readyMsOfThread(entry->d_name);
        closedir(threads);
    }
    waits.stolenMs = stolenMs();
    return waits;
}
#else
CpuWaits cpuWaitsSoFar() { return {}; }
#endif

CpuWaits operator-(const CpuWaits& later, const CpuWaits& earlier) {
    // A thread that ended in between takes its total with it.
    auto since = [](double now, double before) { return now > before ? now - before : 0.0; };
    return CpuWaits{since(later.readyMs, earlier.readyMs), since(later.stolenMs, earlier.stolenMs)};
}
