#pragma once
#include <string>
#include <string_view>
#include <vector>

// The optional frame keys of zarnoth.ini: MaxFps=N (frames per second at most,
// 0 for no cap) and VSync=0|1 (wait for the screen's refresh where the driver
// can). Each key opens its line; a bad value is named and leaves the default.
struct FrameSettings {
    // A value that was refused, and the line of the file that held it.
    struct Problem {
        int line = 0;
        std::string text;  // e.g. `MaxFps=fast ignored: not a whole number from 0 to 1000 (no cap)`
    };

    // One line of the settings file, the next one in the file's order.
    void applyLine(std::string_view line);

    static constexpr int highestMaxFps = 1000;
    int maxFps = 0;
    bool vsync = false;
    std::vector<Problem> problems;
    int linesSeen = 0;
};
