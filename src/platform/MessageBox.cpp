#include "platform/MessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/EventLog.h"
#include "platform/XMessageBox.h"

bool messagesOnStderrOnly = false;

namespace {
MessageRecorder& recorder() {
    static MessageRecorder instance;
    return instance;
}
}  // namespace

void setMessageRecorder(MessageRecorder newRecorder) { recorder() = std::move(newRecorder); }

void showMessage(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    logEvent("message %s: %s", caption.c_str(), text.c_str());
    if (recorder()) {
        recorder()(text, caption);
        return;
    }
    if (messagesOnStderrOnly) return;
    const char* mode = std::getenv("ZARNOTH_MESSAGES");
    if (mode && std::strcmp(mode, "stderr") == 0) return;
    showXMessageBox(text, caption);
}
