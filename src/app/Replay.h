#pragma once
#include "app/InputTrack.h"

// --play and --timedemo: what the file feeds the game, read before the game starts.
extern InputTrack replayTrack;

// The idle callback of a play: the file's keys for this step, then one frame
// with the file's frame time. --play shows each frame at its time, as the
// recording did; --timedemo does not wait and measures. The end of the file
// ends the play.
void replayIdle();
