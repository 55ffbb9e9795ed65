#pragma once
#include <string>

// The system's modal box behind showMessage: no owner window, one OK button,
// blocking until it is closed. Returns false when no box can be shown.
bool showSystemMessageBox(const std::string& text, const std::string& caption);
