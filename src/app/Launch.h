#pragma once

// The whole program with a command line: parses it, prepares what the options
// need (the play's input, the demo file, the data directory) and runs the game.
// A bad command line or input file writes the problem and the usage to
// stderr and returns 2 before any window opens.
int runWithCommandLine(int argc, const char* const* argv);
