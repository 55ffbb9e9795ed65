#pragma once
#include <cstdio>
#include <string>

#include "game/Progress.h"

// The progress file, "progress.txt" in the user's data directory, a small
// text file the game writes whole at every exit that changed the progress:
//
//   zarnoth-progress 1
//   furthest 2          the furthest level reached through an exit
//   best 1 34.217       a level's best time in seconds, three decimals
//
// Lines end in a line feed; "furthest" and each level's "best" appear at most
// once, in any order after the first line.
inline constexpr const char* progressFileName = "progress.txt";

// Reads an open progress file, which it closes, into `read`. False with a
// `problem` for a file that is not one ("line 3: ...", "cannot be read").
bool readProgress(std::FILE* file, Progress& read, std::string& problem);

// The progress as the file holds it.
std::string progressText(const Progress& progress);

// Fills `progress` from the user's progress file. Without one the player has
// none yet; a file that cannot be read or is broken is one line on stderr and
// is ignored (the next save replaces it).
void loadProgressFile();

// From now on every change of the progress is saved into the file. A file
// that cannot be written is one line on stderr, once; the game plays on.
void keepProgressInFile();
