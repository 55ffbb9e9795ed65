#include "app/FrameSettings.h"

#include <optional>

#include "app/ShownValue.h"

namespace {
// A whole number from 0 to `highest`, digits only (a line end or blanks may follow).
std::optional<int> wholeNumber(std::string_view text, int highest) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > highest) return std::nullopt;
    return value;
}

}  // namespace

void FrameSettings::applyLine(std::string_view line) {
    ++linesSeen;
    constexpr std::string_view maxFpsKey = "MaxFps=", vsyncKey = "VSync=";
    if (line.starts_with(maxFpsKey)) {
        const std::string_view value = line.substr(maxFpsKey.size());
        const std::optional<int> rate = wholeNumber(value, highestMaxFps);
        maxFps = rate.value_or(0);
        if (!rate)
            problems.push_back(
                {linesSeen, "MaxFps=" + shownValue(value) + " ignored: not a whole number from 0 to 1000 (no cap)"});
    } else if (line.starts_with(vsyncKey)) {
        const std::string_view value = line.substr(vsyncKey.size());
        const std::optional<int> on = wholeNumber(value, 1);
        vsync = on.value_or(0) == 1;
        if (!on) problems.push_back({linesSeen, "VSync=" + shownValue(value) + " ignored: not 0 or 1 (no waiting)"});
    }
}
