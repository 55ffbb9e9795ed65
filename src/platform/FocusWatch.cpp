#include "platform/FocusWatch.h"

#include "platform/DisplayPtr.h"
#include "platform/GameWindow.h"

namespace {
DisplayPtr watcher;
}  // namespace

bool watchGameWindowFocus() {
    const GameWindow game = currentGameWindow();
    if (!game.display) return false;
    // Event masks belong to each connection: selecting here leaves freeglut's own alone.
    watcher.reset(XOpenDisplay(DisplayString(game.display)));
    if (!watcher) return false;
    XSelectInput(watcher.get(), game.window, FocusChangeMask);
    XFlush(watcher.get());
    return true;
}

bool gameWindowLostFocus() {
    if (!watcher) return false;
    bool lost = false;
    while (XEventsQueued(watcher.get(), QueuedAfterReading) > 0) {
        XEvent event;
        XNextEvent(watcher.get(), &event);
        // Focus moving into a child of the window keeps the keys coming here.
        if (event.type == FocusOut && event.xfocus.detail != NotifyInferior) lost = true;
    }
    return lost;
}
