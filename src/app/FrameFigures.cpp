#include "app/FrameFigures.h"

#include <algorithm>
#include <functional>

FrameFigures timedemoFigures;

void FrameFigures::startRun(Clock::time_point start, std::size_t frames) {
    firstFrame = start;
    // Reserved ahead, so that measuring allocates nothing during the frames.
    frameTimes.reserve(frames);
}

void FrameFigures::addFrame(Clock::time_point start, Clock::time_point end, const FrameParts& parts, bool deathEnded) {
    idleTotal += parts.step;
    drawingTotal += parts.drawing;
    collisionTotal += parts.collision;
    swapTotal += parts.swap;
    frameTimes.push_back(millisecondsBetween(start, end));
    if (deathEnded) deathToNextFrame.push_back(millisecondsBetween(start, end));
}

void FrameFigures::print(std::FILE* out, bool played, const std::vector<LevelLoadTime>& levelLoads) const {
    const double seconds = played ? millisecondsBetween(firstFrame, lastFrameEnd) / 1000 : 0;
    const std::size_t n = frameTimes.size();
    std::vector<double> slowestFirst = frameTimes;
    std::sort(slowestFirst.begin(), slowestFirst.end(), std::greater<>());
    // The 1% low is the rate of the slowest hundredth of the frames, at least one of them.
    const std::size_t slowCount = std::max<std::size_t>(1, n / 100);
    double slowSum = 0;
    for (std::size_t i = 0; i < slowCount && i < n; ++i) slowSum += slowestFirst[i];
    auto rate = [](double milliseconds) { return milliseconds > 0 ? 1000 / milliseconds : 0.0; };
    const double average = seconds > 0 ? static_cast<double>(n) / seconds : 0;
    const double minimum = n > 0 ? rate(slowestFirst.front()) : 0;
    const double low = n > 0 ? rate(slowSum / static_cast<double>(slowCount)) : 0;
    std::fprintf(out, "%zu frames, %.3f seconds: %.1f fps (min %.1f, 1%% low %.1f)\n", n, seconds, average, minimum,
                 low);

    const double perFrame = n > 0 ? 1.0 / static_cast<double>(n) : 0;
    std::fprintf(out, "idle step: %.3f ms per frame\n", idleTotal * perFrame);
    std::fprintf(out, "drawing: %.3f ms per frame\n", drawingTotal * perFrame);
    std::fprintf(out, "collision pass: %.3f ms per frame\n", collisionTotal * perFrame);
    std::fprintf(out, "buffer swap: %.3f ms per frame\n", swapTotal * perFrame);
    for (const LevelLoadTime& load : levelLoads)
        std::fprintf(out, "level %d load: %.3f ms\n", load.level, load.milliseconds);
    for (const double death : deathToNextFrame) std::fprintf(out, "death to next frame: %.3f ms\n", death);
}
