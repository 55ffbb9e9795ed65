#include "platform/MessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/XMessageBox.h"

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
    if (recorder()) {
        recorder()(text, caption);
        return;
    }
    const char* mode = std::getenv("ZARNOTH_MESSAGES");
    if (mode && std::strcmp(mode, "stderr") == 0) return;
    showXMessageBox(text, caption);
}
