#pragma once
#include "app/FrameSettings.h"
#include "check/Report.h"

// Warns of each MaxFps or VSync value of zarnoth.ini that the game ignores, at its line.
void checkFrameSettings(Report& report, const FrameSettings& frame);
