#include "game/BlockingMessage.h"

#include "game/FrameClock.h"
#include "game/Input.h"
#include "platform/MessageBox.h"

void showBlockingMessage(const std::string& text, const std::string& caption) {
    showMessage(text, caption);
    releaseHeldKeys();
    restartFrameClock();
}
