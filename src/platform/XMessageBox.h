#pragma once
#include <string>

// The X11 box behind showMessage. Returns false when no display can be opened.
bool showXMessageBox(const std::string& text, const std::string& caption);
