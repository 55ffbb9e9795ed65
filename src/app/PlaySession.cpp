#include "app/PlaySession.h"

#include <GL/freeglut.h>

#include <array>
#include <cstdlib>
#include <thread>

#include "app/FrameCallbacks.h"
#include "app/Globals.h"
#include "app/LevelChecksum.h"
#include "app/Screenshot.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "app/Timer.h"
#include "app/WindowEvents.h"
#include "game/Callbacks.h"
#include "game/Camera.h"
#include "game/Collision.h"
#include "game/GameState.h"
#include "game/Movement.h"
#include "game/SceneFrame.h"
#include "level/LevelLoader.h"
#include "platform/EventLog.h"

PlaySession session;

namespace {
using Clock = std::chrono::steady_clock;

struct QueuedKey {
    GameKey key;
    bool down;
};
// Far more than a person types between two frames; a key beyond it is dropped.
std::array<QueuedKey, 64> recordedKeys;
std::size_t recordedKeyCount = 0;

// Three decimals without a "-0.000" for a value that is zero at that precision.
double tidy(float value) { return value > -0.0005f && value < 0.0005f ? 0.0 : static_cast<double>(value); }

double millisecondsSince(Clock::time_point start, Clock::time_point end) {
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// Writes the end of a play: the end line, the timedemo's figures, the
// screenshot. A demo or screenshot that could not be written ends the process
// with status 1, so that no caller takes a missing file for a finished one.
void concludePlay() {
    if (session.ended) return;
    session.ended = true;
    logEvent("end %.3f %.3f %.3f", tidy(-camera.offset.x), tidy(-camera.offset.z), tidy(camera.yaw));
    bool written = true;
    if (session.demo && (std::fflush(session.demo.get()) != 0 || std::ferror(session.demo.get()))) {
        std::fprintf(stderr, "zarnoth: the demo could not be written completely\n");
        written = false;
    }
    if (session.mode == Options::Mode::Timedemo) {
        const double seconds = session.step > 0 ? millisecondsSince(session.firstFrame, session.lastFrameEnd) / 1000 : 0;
        session.figures.print(stdout, seconds, levelLoadTimes);
    }
    std::fflush(stdout);
    if (!session.shotPath.empty()) {
        // The scene as the play left it, drawn once more without a game step
        // or a collision pass, so that nothing changes.
        beginFrame();
        drawScene();
        drawStatusLine();
        if (!saveScreenshot(session.shotPath)) {
            std::fprintf(stderr, "zarnoth: the screenshot %s cannot be written\n", session.shotPath.c_str());
            written = false;
        }
    }
    if (!written) std::exit(1);
}

// Every key of a session reaches the game here: written to the demo first,
// and Esc ends the play before the game's own handler ends the process.
void sendKey(GameKey key, bool down) {
    if (session.demo) {
        char name[16];
        if (!nameOfKey(key, name)) return;
        std::fprintf(session.demo.get(), "%s %s\n", down ? "down" : "up", name);
    }
    if (down && !key.special && key.code == 27) concludePlay();
    deliverKey(key, down);
}

}  // namespace

void runFrame(float dt) {
    const auto start = Clock::now();
    advanceGame(dt);
    const auto idled = Clock::now();
    beginFrame();
    drawScene();
    const auto drawn = Clock::now();
    if (collisionEnabled) checkCollisions();
    const auto collided = Clock::now();
    drawStatusLine();
    pushOptimizationSwitch();
    const auto swapStart = Clock::now();
    glutSwapBuffers();
    const auto end = Clock::now();
    if (session.mode == Options::Mode::Timedemo) {
        // The status line and the switch push count as drawing.
        session.figures.addParts(millisecondsSince(start, idled),
                                  millisecondsSince(idled, drawn) + millisecondsSince(collided, swapStart),
                                  millisecondsSince(drawn, collided), millisecondsSince(swapStart, end));
    }
}

namespace {

// --play shows each frame at its time, as the recording did; --timedemo does not wait.
void pace(float dt) {
    const auto now = Clock::now();
    if (session.step == 0 || now - session.due > std::chrono::milliseconds(250)) session.due = now;
    if (session.due > now) std::this_thread::sleep_until(session.due);
    session.due += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(dt));
}

void playIdle() {
    const auto start = Clock::now();
    if (session.step == 0) {
        session.firstFrame = start;
        session.figures.frameTimes.reserve(session.track.frameTimes.size());
    }
    setEventFrame(session.step);
    const auto& keys = session.track.keys;
    while (session.nextKey < keys.size() && keys[session.nextKey].frame <= session.step) {
        const TrackKey& next = keys[session.nextKey++];
        sendKey(next.key, next.down);
    }
    if (session.step >= session.track.frameTimes.size()) {
        concludePlay();
        std::exit(0);
    }
    const float dt = session.track.frameTimes[session.step];
    if (session.mode == Options::Mode::Play) pace(dt);
    const bool dying = dead || falling;
    const std::size_t loads = levelLoadTimes.size();
    runFrame(dt);
    ++session.step;

    const auto end = Clock::now();
    session.lastFrameEnd = end;
    if (session.mode == Options::Mode::Timedemo) {
        session.figures.frameTimes.push_back(millisecondsSince(start, end));
        // Only the end of a death reloads a level during the game step of a dying player.
        if (dying && !dead && !falling && levelLoadTimes.size() > loads)
            session.figures.deathToNextFrame.push_back(millisecondsSince(start, end));
    }
}

void recordIdle() {
    setEventFrame(session.step);
    // A key may end the process; the queue is emptied before it is delivered.
    const std::size_t count = recordedKeyCount;
    std::array<QueuedKey, recordedKeys.size()> keys = recordedKeys;
    recordedKeyCount = 0;
    for (std::size_t i = 0; i < count; ++i) sendKey(keys[i].key, keys[i].down);

    const float dt = nextFrameTime();
    std::fprintf(session.demo.get(), "step %.9g\n", static_cast<double>(dt));
    // A recording cut short by a kill or a crash keeps all but its last second.
    const float now = timer.elapsed();
    if (now - session.lastDemoFlush >= 0.5f) {
        std::fflush(session.demo.get());
        session.lastDemoFlush = now;
    }
    runFrame(dt);
    ++session.step;
}

void countedIdle() {
    setEventFrame(session.step);
    onIdle();
    ++session.step;
}

void writeDemoHeader() {
    std::FILE* file = session.demo.get();
    std::fprintf(file, "zarnoth-demo 1\nlevel %d\n", currentLevel);
    if (settings)
        std::fprintf(file, "settings %s %s\n", settings->gameModeString().c_str(),
                     settings->gameMode ? "fullscreen" : "window");
    std::fprintf(file, "checksum %s\n", levelFilesChecksum().c_str());
    std::fflush(file);
}

void drawNothing() {}
void ignoreKey(unsigned char, int, int) {}
void ignoreSpecial(int, int, int) {}
void recordKeyDown(unsigned char key, int, int) { queueRecordedKey(GameKey{false, key}, true); }
void recordKeyUp(unsigned char key, int, int) { queueRecordedKey(GameKey{false, key}, false); }
void recordSpecialDown(int key, int, int) { queueRecordedKey(GameKey{true, key}, true); }
void recordSpecialUp(int key, int, int) { queueRecordedKey(GameKey{true, key}, false); }
// Keys let go in another window are released through the recording, so that
// its play releases them at the same step.
void recordHeldKeyReleases() { releaseHeldKeys(recordSpecialUp, recordKeyUp); }
}  // namespace

void queueRecordedKey(GameKey key, bool down) {
    if (recordedKeyCount < recordedKeys.size()) recordedKeys[recordedKeyCount++] = QueuedKey{key, down};
}

void installSessionCallbacks() {
    switch (session.mode) {
        case Options::Mode::Normal:
            if (session.countFrames) setShownIdle(countedIdle);
            return;
        case Options::Mode::Record:
            writeDemoHeader();
            glutDisplayFunc(drawNothing);
            glutKeyboardFunc(recordKeyDown);
            glutKeyboardUpFunc(recordKeyUp);
            glutSpecialFunc(recordSpecialDown);
            glutSpecialUpFunc(recordSpecialUp);
            setShownIdle(recordIdle);
            setFocusLossAction(recordHeldKeyReleases);
            return;
        case Options::Mode::Play:
        case Options::Mode::Timedemo:
            // Keys of the real keyboard would make a play differ from its file.
            glutDisplayFunc(drawNothing);
            glutKeyboardFunc(ignoreKey);
            glutKeyboardUpFunc(ignoreKey);
            glutSpecialFunc(ignoreSpecial);
            glutSpecialUpFunc(ignoreSpecial);
            setShownIdle(playIdle);
            setFocusLossAction(nullptr);
            return;
    }
}
