#pragma once
#include <string>

// Where a play saves its last frame (--shot); empty for no screenshot.
extern std::string shotPath;

// Writes the end of a recording or a play, once: the end line of the event
// log, the timedemo's figures, the screenshot. A demo or screenshot that
// could not be written ends the process with status 1, so that no caller
// takes a missing file for a finished one.
void concludePlay();
// The end of a play's file: concludes it and ends the process with status 0.
[[noreturn]] void endPlay();
