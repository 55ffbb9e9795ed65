#pragma once

// Asks the driver to wait for the screen's refresh at every buffer swap
// (`interval` 1) or not to (0), through the swap-control extension of the
// window system's GL binding. Needs the game's GL context to be current. Where
// the driver offers no such extension nothing happens; the result says
// whether the driver was asked.
bool requestSwapInterval(int interval);
