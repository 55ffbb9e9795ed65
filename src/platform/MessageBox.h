#pragma once
#include <functional>
#include <string>

// Shows a modal message with an OK button and blocks until it is closed.
// Every message first goes to stderr as "caption: text" and to the event log;
// then to the message sink, which is the box unless something else was set.
void showMessage(const std::string& text, const std::string& caption);

// Where messages go after their stderr line. At start the box, or nothing
// where ZARNOTH_MESSAGES=stderr is set. A play of a file sets an empty sink
// (the game goes on as if OK had been pressed); tests set a recorder.
using MessageSink = std::function<void(const std::string& text, const std::string& caption)>;
// Returns the sink it replaces, so that it can be put back.
MessageSink setMessageSink(MessageSink sink);
