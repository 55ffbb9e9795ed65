#pragma once
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "app/FrameFigures.h"
#include "app/InputTrack.h"
#include "platform/Paths.h"

// A run under --record, --play, --timedemo or --events. In a play every idle
// step runs the whole frame (keys, game step, drawing, collision pass, status
// line, swap) in that fixed order, so nothing depends on when GLUT chooses to
// redraw; its frame times come from the track instead of the clock.
class PlaySession {
public:
    Options::Mode mode = Options::Mode::Normal;
    bool countFrames = false;  // the event log's frame numbers in ordinary play

    InputTrack track;          // what --play and --timedemo feed the game
    std::size_t nextKey = 0;   // the first key of `track` not delivered yet
    std::uint32_t step = 0;    // idle steps done
    bool ended = false;

    std::unique_ptr<std::FILE, FileCloser> demo;  // written by --record
    float lastDemoFlush = 0;

    std::string shotPath;
    std::chrono::steady_clock::time_point due;  // when --play shows the next frame

    FrameFigures figures;  // --timedemo
    std::chrono::steady_clock::time_point firstFrame;
    std::chrono::steady_clock::time_point lastFrameEnd;
};

extern PlaySession session;

// Replaces GLUT's callbacks with the session's, between their registration
// and the main loop. Does nothing in ordinary play without --events.
void installSessionCallbacks();

// One whole frame of a session: the game step with frame time `dt`, the
// drawing, the collision pass, the status line and the swap.
void runFrame(float dt);

// The key events of a recording wait here for the next idle step, so that a
// play delivers them at the same point of the frame.
void queueRecordedKey(GameKey key, bool down);
