#include "platform/MessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/EventLog.h"
#include "platform/SystemMessageBox.h"

namespace {
MessageSink startingSink() {
    const char* mode = std::getenv("ZARNOTH_MESSAGES");
    if (mode && std::strcmp(mode, "stderr") == 0) return {};
    return showSystemMessageBox;
}

MessageSink& sink() {
    static MessageSink instance = startingSink();
    return instance;
}
}  // namespace

MessageSink setMessageSink(MessageSink newSink) {
    MessageSink previous = std::move(sink());
    sink() = std::move(newSink);
    return previous;
}

void showMessage(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    logEvent("message %s: %s", caption.c_str(), text.c_str());
    if (sink()) sink()(text, caption);
}
