#include "platform/WindowTag.h"

#include <X11/Xatom.h>
#include <unistd.h>

#include "platform/GameWindow.h"

void tagCurrentWindowWithProcessId() {
    const GameWindow game = currentGameWindow();
    if (!game.display) return;
    const long pid = static_cast<long>(getpid());
    XChangeProperty(game.display, game.window, XInternAtom(game.display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XFlush(game.display);
}
