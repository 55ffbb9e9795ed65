#pragma once

#include "check/Report.h"

struct KeySettings;

// The player's own keys of zarnoth.ini: each line the game refuses (a key it
// uses for something else, one already added to another action, no key name)
// is a warning, since the game plays on without it.
void checkKeySettings(Report& report, const KeySettings& keys);
