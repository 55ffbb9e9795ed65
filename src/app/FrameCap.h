#pragma once

struct FrameSettings;

// Puts MaxFps and VSync in force once the display is open: names refused
// values on stderr, asks the driver to wait for the refresh when VSync is 1,
// and holds the frame rate at MaxFps. A timedemo measures, so it takes neither.
void startFrameCap(const FrameSettings& frame, bool measuring);

// The idle step to register: `idle` itself, or, under a cap, `idle` after a
// sleep until the next frame is due.
void (*cappedIdle(void (*idle)()))();

// Sleeps until the next frame is due under the cap (nothing without one).
// A frame late by more than a whole period (a load, a box, a hidden window)
// starts the count afresh rather than hurrying to catch up.
void holdFrameRate();
