#include "app/Replay.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/Frame.h"
#include "app/FrameFigures.h"
#include "app/PlayEnd.h"
#include "app/PlaySession.h"
#include "game/BlockingMessage.h"
#include "game/GameState.h"
#include "game/LevelEntry.h"
#include "game/SceneFrame.h"
#include "platform/CpuWaits.h"
#include "platform/EventLog.h"

InputTrack replayTrack;

namespace {
using Clock = std::chrono::steady_clock;

// For bench/frame_waits.sh: what the machine took from each frame of a timedemo.
const bool frameWaitsWanted = std::getenv("ZARNOTH_FRAME_WAITS") != nullptr;

std::size_t nextKey = 0;  // the first key of the track not delivered yet
Clock::time_point due;    // when --play shows the next frame

void pace(float dt) {
    const auto now = Clock::now();
    if (session.step == 0 || now - due > std::chrono::milliseconds(250)) due = now;
    if (due > now) std::this_thread::sleep_until(due);
    due += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(dt));
}
}  // namespace

void replayIdle() {
    const bool timed = session.mode == Options::Mode::Timedemo;
    // Read outside the frame's time: reading takes some 0.1 ms.
    const CpuWaits waitsBefore = timed && frameWaitsWanted ? cpuWaitsSoFar() : CpuWaits{};
    const auto start = Clock::now();
    if (session.step == 0) timedemoFigures.startRun(start, replayTrack.frameTimes.size());
    setEventFrame(session.step);
    // The keys belong to the frame: F1, F2 and "m" load a level as they arrive.
    const std::size_t loads = levelLoadTimes.size();
    const unsigned messages = blockingMessagesShown;
    const auto& keys = replayTrack.keys;
    while (nextKey < keys.size() && keys[nextKey].frame <= session.step) {
        const TrackKey& key = keys[nextKey++];
        deliverSessionKey(key.key, key.down);
    }
    if (session.step >= replayTrack.frameTimes.size()) endPlay();

    const float dt = replayTrack.frameTimes[session.step];
    if (session.mode == Options::Mode::Play) pace(dt);
    const bool dying = dead || falling;
    const std::size_t loadsBeforeStep = levelLoadTimes.size();
    FrameParts parts;
    runFrame(dt, timed ? &parts : nullptr);
    ++session.step;

    const auto end = Clock::now();
    timedemoFigures.lastFrameEnd = end;
    if (timed) {
        FrameFigures::FrameEvents events;
        events.levelLoaded = levelLoadTimes.size() > loads;
        // Only the end of a death reloads a level during the game step of a dying player.
        events.deathEnded = dying && !dead && !falling && levelLoadTimes.size() > loadsBeforeStep;
        // A level loaded in the collision pass is first drawn by the next frame.
        events.newLevelDrawn = !warmUpPending;
        events.messageShown = blockingMessagesShown > messages;
        if (frameWaitsWanted) events.waits = cpuWaitsSoFar() - waitsBefore;
        timedemoFigures.addFrame(start, end, parts, events);
    }
}
