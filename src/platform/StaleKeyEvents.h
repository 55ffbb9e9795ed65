#pragma once
#include <X11/Xlib.h>

// The X server's clock now, in its own milliseconds: the time stamp of a
// property change on a hidden window made for the purpose.
Time serverTimeNow(Display* display);

// Takes out of the connection's queue every key press and release that the
// server stamped at or before `until`, including those still on their way.
void dropKeyEventsUntil(Display* display, Time until);
