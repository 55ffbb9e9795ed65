#pragma once
#include <cstdint>

#include "app/CommandLine.h"
#include "app/KeyNames.h"

// What kind of run this is, chosen by the command line before the game
// starts: ordinary play, a recording, or a play of a demo or script.
struct PlaySession {
    Options::Mode mode = Options::Mode::Normal;
    bool countFrames = false;  // the event log's frame numbers in ordinary play
    std::uint32_t step = 0;    // idle steps done
};

extern PlaySession session;

// The GLUT callbacks of this kind of run, registered once at start-up.
struct RunCallbacks {
    void (*display)();
    void (*idle)();
    void (*keyDown)(unsigned char, int, int);
    void (*keyUp)(unsigned char, int, int);
    void (*specialDown)(int, int, int);
    void (*specialUp)(int, int, int);
    // What losing the keyboard focus does; null for nothing.
    void (*focusLoss)();
};
RunCallbacks runCallbacks();

// Every key of a recording or a play reaches the game here: written to the
// demo first, and Esc ends the play before the game's own handler ends the process.
void deliverSessionKey(GameKey key, bool down);
