#pragma once

struct KeySettings;
struct RunCallbacks;

// The keyboard as GLUT delivers it, before the run's own callbacks: F11
// switches between the window and full screen in every kind of run, and a
// key the player added to an action arrives as that action's own key, so
// that the game and a recording only ever see the keys it has always had
// (a demo plays the same whatever keys are added when it is played).
void registerKeyboardCallbacks(const RunCallbacks& run, const KeySettings& keys);
