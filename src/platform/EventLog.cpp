#include "platform/EventLog.h"

#include <cstdarg>
#include <cstdio>

namespace {
bool logOn = false;
long currentFrame = 0;
}  // namespace

void enableEventLog() { logOn = true; }
bool eventLogEnabled() { return logOn; }
void setEventFrame(long frame) { currentFrame = frame; }

long eventFrame() { return currentFrame; }

void logEvent(const char* format, ...) {
    if (!logOn) return;
    char line[512];
    const int prefix = std::snprintf(line, sizeof line, "%ld ", currentFrame);
    if (prefix < 0) return;
    va_list arguments;
    va_start(arguments, format);
    // A longer text is cut; the frame number and the event word always fit.
    const int written =
        std::vsnprintf(line + prefix, sizeof line - static_cast<std::size_t>(prefix), format, arguments);
    va_end(arguments);
    if (written < 0) return;
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
