#include <windows.h>

#include <GL/gl.h>

#include "platform/ExtensionList.h"
#include "platform/SwapControl.h"

namespace {
using SwapInterval = BOOL(WINAPI*)(int);
using ExtensionsString = const char*(WINAPI*)();
}  // namespace

bool requestSwapInterval(int interval) {
    if (!wglGetCurrentContext()) return false;
    // Drivers list the WGL extension in one of two places.
    const auto wglExtensions =
        reinterpret_cast<ExtensionsString>(reinterpret_cast<void*>(wglGetProcAddress("wglGetExtensionsStringEXT")));
    const bool offered =
        extensionListed(wglExtensions ? wglExtensions() : nullptr, "WGL_EXT_swap_control") ||
        extensionListed(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), "WGL_EXT_swap_control");
    if (!offered) return false;
    const auto swapInterval =
        reinterpret_cast<SwapInterval>(reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
    return swapInterval && swapInterval(interval) != FALSE;
}
