#include "platform/SwapControl.h"

#include <GL/glx.h>

#include "platform/ExtensionList.h"

namespace {
using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
using SwapIntervalMesa = int (*)(unsigned);
using SwapIntervalSgi = int (*)(int);

template <typename Function>
Function lookUp(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}
}  // namespace

bool requestSwapInterval(int interval) {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) return false;
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));

    if (extensionListed(extensions, "GLX_EXT_swap_control")) {
        if (auto swapInterval = lookUp<SwapIntervalExt>("glXSwapIntervalEXT")) {
            swapInterval(display, drawable, interval);
            return true;
        }
    }
    if (extensionListed(extensions, "GLX_MESA_swap_control")) {
        if (auto swapInterval = lookUp<SwapIntervalMesa>("glXSwapIntervalMESA"))
            return swapInterval(static_cast<unsigned>(interval)) == 0;
    }
    // The SGI extension cannot switch waiting off, only on.
    if (interval > 0 && extensionListed(extensions, "GLX_SGI_swap_control")) {
        if (auto swapInterval = lookUp<SwapIntervalSgi>("glXSwapIntervalSGI")) return swapInterval(interval) == 0;
    }
    return false;
}
