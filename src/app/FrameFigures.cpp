#include "app/FrameFigures.h"

#include <algorithm>
#include <functional>

#include "level/LevelLoader.h"

FrameFigures timedemoFigures;

namespace {
// The rate of the slowest hundredth of `slowestFirst` (at least one of them), per second.
double onePercentLow(const std::vector<double>& slowestFirst) {
    const std::size_t n = slowestFirst.size();
    if (n == 0) return 0;
    const std::size_t slowCount = std::max<std::size_t>(1, n / 100);
    double slowSum = 0;
    for (std::size_t i = 0; i < slowCount; ++i) slowSum += slowestFirst[i];
    const double milliseconds = slowSum / static_cast<double>(slowCount);
    return milliseconds > 0 ? 1000 / milliseconds : 0.0;
}

std::vector<double> slowestFirst(std::vector<double> times) {
    std::sort(times.begin(), times.end(), std::greater<>());
    return times;
}

double median(std::vector<double> times) {
    if (times.empty()) return 0;
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    return n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}
}  // namespace

void FrameFigures::startRun(Clock::time_point start, std::size_t frames) {
    firstFrame = start;
    // Reserved ahead, so that measuring allocates nothing during the frames.
    frameTimes.reserve(frames);
    playFrameTimes.reserve(frames);
    playFrameLevels.reserve(frames);
    playFrameWaits.reserve(frames);
}

void FrameFigures::addFrame(Clock::time_point start, Clock::time_point end, const FrameParts& parts,
                            const FrameEvents& events) {
    idleTotal += parts.step;
    drawingTotal += parts.drawing;
    collisionTotal += parts.collision;
    swapTotal += parts.swap;
    const double milliseconds = millisecondsBetween(start, end);
    frameTimes.push_back(milliseconds);
    if (events.deathEnded) deathToNextFrame.push_back(milliseconds);

    if (events.levelLoaded || loadGoingOn) {
        loadSoFar += milliseconds;
        loadGoingOn = !events.newLevelDrawn;
        if (!loadGoingOn) {
            loadTimes.push_back(loadSoFar);
            loadSoFar = 0;
        }
    } else if (!events.messageShown) {
        playFrameTimes.push_back(milliseconds);
        playFrameLevels.push_back(currentLevel);
        if (events.waits) playFrameWaits.push_back(*events.waits);
    }
}

void FrameFigures::print(std::FILE* out, bool played, const std::vector<LevelLoadTime>& levelLoads) const {
    const double seconds = played ? millisecondsBetween(firstFrame, lastFrameEnd) / 1000 : 0;
    const std::size_t n = frameTimes.size();
    const std::vector<double> slowest = slowestFirst(frameTimes);
    const double average = seconds > 0 ? static_cast<double>(n) / seconds : 0;
    const double minimum = n > 0 && slowest.front() > 0 ? 1000 / slowest.front() : 0;
    std::fprintf(out, "%zu frames, %.3f seconds: %.1f fps (min %.1f, 1%% low %.1f)\n", n, seconds, average, minimum,
                 onePercentLow(slowest));
    const std::vector<double> slowestPlay = slowestFirst(playFrameTimes);
    // A load that the play's end cut off counts as far as it went.
    std::vector<double> loads = loadTimes;
    if (loadGoingOn) loads.push_back(loadSoFar);
    const std::vector<double> slowestLoad = slowestFirst(loads);
    std::fprintf(out, "play: %zu frames, 1%% low %.1f fps, worst %.3f ms; loads: %zu, median %.3f ms, worst %.3f ms\n",
                 slowestPlay.size(), onePercentLow(slowestPlay), slowestPlay.empty() ? 0.0 : slowestPlay.front(),
                 slowestLoad.size(), median(loads), slowestLoad.empty() ? 0.0 : slowestLoad.front());

    const double perFrame = n > 0 ? 1.0 / static_cast<double>(n) : 0;
    std::fprintf(out, "idle step: %.3f ms per frame\n", idleTotal * perFrame);
    std::fprintf(out, "drawing: %.3f ms per frame\n", drawingTotal * perFrame);
    std::fprintf(out, "collision pass: %.3f ms per frame\n", collisionTotal * perFrame);
    std::fprintf(out, "buffer swap: %.3f ms per frame\n", swapTotal * perFrame);
    for (const LevelLoadTime& load : levelLoads)
        std::fprintf(out, "level %d load: %.3f ms\n", load.level, load.milliseconds);
    for (const double death : deathToNextFrame) std::fprintf(out, "death to next frame: %.3f ms\n", death);
}

void FrameFigures::writePlayFrames(std::FILE* out) const {
    const bool withWaits = playFrameWaits.size() == playFrameTimes.size();
    for (std::size_t i = 0; i < playFrameTimes.size(); ++i) {
        std::fprintf(out, "%.3f %d", playFrameTimes[i], playFrameLevels[i]);
        if (withWaits) std::fprintf(out, " %.3f %.0f", playFrameWaits[i].readyMs, playFrameWaits[i].stolenMs);
        std::fputc('\n', out);
    }
}
