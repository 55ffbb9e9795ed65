#pragma once
// The event log: one line per game event on stdout, each starting with the
// number of the frame (idle steps since start, the first being 0). Off unless
// a command-line option turns it on; tools and tests read its words.
void enableEventLog();
bool eventLogEnabled();

// The frame number that the following lines carry.
void setEventFrame(long frame);
long eventFrame();

// Writes "FRAME " and the formatted text as one line and flushes it, so that a
// reader sees each event when it happens. Allocates nothing.
void logEvent(const char* format, ...) __attribute__((format(printf, 1, 2)));
