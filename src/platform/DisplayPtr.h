#pragma once
#include <X11/Xlib.h>

#include <memory>

// An X connection of our own, closed with its owner.
struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;
