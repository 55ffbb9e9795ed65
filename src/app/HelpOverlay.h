#pragma once
#include <span>

// One line of the list of keys: the keys, and what they do. The README's
// table of the controls holds the same lines (a test compares them).
struct ControlLine {
    const char* keys;
    const char* action;
};
std::span<const ControlLine> controlLines();

// The list of keys in the middle of the window, over the scene, while
// helpShown is on (key "h"). In Helvetica 18 where it fits the window, else smaller.
void drawHelpOverlay();
