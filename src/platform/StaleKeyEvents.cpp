#include "platform/StaleKeyEvents.h"

#include <X11/Xatom.h>

#include <cstdint>

namespace {
// Server time is 32 bits of milliseconds and wraps after 49 days.
bool notLaterThan(Time stamp, Time until) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(stamp) - static_cast<std::uint32_t>(until)) <= 0;
}

Bool isKeyEventUntil(Display*, XEvent* event, XPointer until) {
    if (event->type != KeyPress && event->type != KeyRelease) return False;
    return notLaterThan(event->xkey.time, *reinterpret_cast<const Time*>(until)) ? True : False;
}
}  // namespace

Time serverTimeNow(Display* display) {
    const Window window = XCreateWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, CopyFromParent, InputOnly,
                                        CopyFromParent, 0, nullptr);
    XSelectInput(display, window, PropertyChangeMask);
    const unsigned char nothing = 0;
    XChangeProperty(display, window, XA_WM_NAME, XA_STRING, 8, PropModeAppend, &nothing, 0);
    XEvent event;
    XWindowEvent(display, window, PropertyChangeMask, &event);
    XDestroyWindow(display, window);
    XFlush(display);
    return event.xproperty.time;
}

void dropKeyEventsUntil(Display* display, Time until) {
    // The round trip brings in everything the server sent before it.
    XSync(display, False);
    XEvent event;
    while (XCheckIfEvent(display, &event, isKeyEventUntil, reinterpret_cast<XPointer>(&until))) {}
}
