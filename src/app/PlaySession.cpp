#include "app/PlaySession.h"

#include "app/Frame.h"
#include "app/PlayEnd.h"
#include "app/Recording.h"
#include "app/Replay.h"
#include "game/Input.h"
#include "platform/EventLog.h"

PlaySession session;

namespace {
// Ordinary play with the event log: the frames are numbered.
void countedIdle() {
    setEventFrame(session.step);
    onIdle();
    ++session.step;
}

// A recording or a play draws in its idle step; a redraw between steps would
// add a frame the file does not have.
void drawNothing() {}
void ignoreKey(unsigned char, int, int) {}
void ignoreSpecial(int, int, int) {}
}  // namespace

RunCallbacks runCallbacks() {
    switch (session.mode) {
        case Options::Mode::Record:
            return {drawNothing,       recordIdle,      recordKeyDown,        recordKeyUp,
                    recordSpecialDown, recordSpecialUp, recordHeldKeyReleases};
        case Options::Mode::Play:
        case Options::Mode::Timedemo:
            // Keys of the real keyboard would make a play differ from its file.
            return {drawNothing, replayIdle, ignoreKey, ignoreKey, ignoreSpecial, ignoreSpecial, nullptr};
        case Options::Mode::Normal:
            break;
    }
    return {onDisplay,      session.countFrames ? countedIdle : onIdle, onKeyDown, onKeyUp, onSpecialDown, onSpecialUp,
            releaseHeldKeys};
}

void deliverSessionKey(GameKey key, bool down) {
    if (!recordKey(key, down)) return;
    if (down && !key.special && key.code == 27) concludePlay();
    deliverKey(key, down);
}
