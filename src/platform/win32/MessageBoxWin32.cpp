#include <windows.h>

#include <string>

#include "platform/SystemMessageBox.h"

namespace {
// The game's texts are UTF-8; MessageBoxA reads the ANSI code page (umlauts
// included in the usual Western one).
std::string toAnsiCodePage(const std::string& utf8) {
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    if (wideLength <= 0) return utf8;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), wideLength);
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return utf8;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), length, nullptr, nullptr);
    ansi.resize(static_cast<std::size_t>(length - 1));
    return ansi;
}
}  // namespace

bool showSystemMessageBox(const std::string& text, const std::string& caption) {
    // No owner window: the box is a top-level window of its own, named by its caption.
    return MessageBoxA(nullptr, toAnsiCodePage(text).c_str(), toAnsiCodePage(caption).c_str(),
                       MB_OK | MB_SETFOREGROUND) != 0;
}
