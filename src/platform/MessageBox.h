#pragma once
#include <functional>
#include <string>

// Shows a modal message with an OK button and blocks until it is closed.
// Every message also goes to stderr as "caption: text". Where no display can
// be opened, or ZARNOTH_MESSAGES=stderr, only the stderr line is written.
void showMessage(const std::string& text, const std::string& caption);

// Tests install a recorder that receives every message instead of a box.
// An empty function restores the real box.
using MessageRecorder = std::function<void(const std::string& text, const std::string& caption)>;
void setMessageRecorder(MessageRecorder recorder);

// Set by a play of a demo or script: no box is shown, only the stderr line,
// and the game goes on as if OK had been pressed.
extern bool messagesOnStderrOnly;
