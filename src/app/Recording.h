#pragma once
#include <cstdio>
#include <memory>

#include "app/KeyNames.h"
#include "platform/Paths.h"

// --record: the demo file being written, null in every other run.
extern std::unique_ptr<std::FILE, FileCloser> demoFile;

// Writes the demo's header: the level, the settings, the level files' checksum.
void writeDemoHeader();
// Writes a key event into the demo, when one is being recorded. False for a
// key without a name: it does nothing in the game and stays out of the demo.
bool recordKey(GameKey key, bool down);
// Flushes the demo; false when it could not be written completely.
bool finishDemo();

// The recording's GLUT callbacks. Keys wait for the next idle step, so that
// a play delivers them at the same point of the frame.
void recordKeyDown(unsigned char key, int, int);
void recordKeyUp(unsigned char key, int, int);
void recordSpecialDown(int key, int, int);
void recordSpecialUp(int key, int, int);
void recordIdle();
// Keys let go in another window are released through the recording, so that
// its play releases them at the same step.
void recordHeldKeyReleases();
