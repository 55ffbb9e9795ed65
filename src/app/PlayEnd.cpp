#include "app/PlayEnd.h"

#include <cstdio>
#include <cstdlib>

#include "app/Frame.h"
#include "app/FrameFigures.h"
#include "app/PlaySession.h"
#include "app/Recording.h"
#include "app/Screenshot.h"
#include "game/Camera.h"
#include "game/LevelEntry.h"
#include "platform/EventLog.h"

std::string shotPath;

namespace {
bool concluded = false;

// Three decimals without a "-0.000" for a value that is zero at that precision.
double tidy(float value) { return value > -0.0005f && value < 0.0005f ? 0.0 : static_cast<double>(value); }

// For bench/frames.sh: the frames of play, into the file ZARNOTH_FRAME_TIMES names.
void writeFrameTimes() {
    const char* path = std::getenv("ZARNOTH_FRAME_TIMES");
    if (!path || !*path) return;
    std::FILE* out = std::fopen(path, "w");
    if (!out) {
        std::fprintf(stderr, "zarnoth: %s cannot be written; no frame times\n", path);
        return;
    }
    timedemoFigures.writePlayFrames(out);
    std::fclose(out);
}
}  // namespace

void concludePlay() {
    if (concluded) return;
    concluded = true;
    logEvent("end %.3f %.3f %.3f", tidy(-camera.offset.x), tidy(-camera.offset.z), tidy(camera.yaw));
    bool written = true;
    if (!finishDemo()) {
        std::fprintf(stderr, "zarnoth: the demo could not be written completely\n");
        written = false;
    }
    if (session.mode == Options::Mode::Timedemo) {
        timedemoFigures.print(stdout, session.step > 0, levelLoadTimes);
        writeFrameTimes();
    }
    std::fflush(stdout);
    if (!shotPath.empty()) {
        // The scene as the play left it, drawn once more without a game step
        // or a collision pass, so that nothing changes.
        drawFrame();
        if (!saveScreenshot(shotPath)) {
            std::fprintf(stderr, "zarnoth: the screenshot %s cannot be written\n", shotPath.c_str());
            written = false;
        }
    }
    if (!written) std::exit(1);
}

void endPlay() {
    concludePlay();
    std::exit(0);
}
