#include "game/BlockingMessage.h"

#include "game/FrameClock.h"
#include "game/Input.h"
#include "platform/MessageBox.h"

unsigned blockingMessagesShown = 0;

void showBlockingMessage(const std::string& text, const std::string& caption) {
    ++blockingMessagesShown;
    showMessage(text, caption);
    releaseHeldKeys();
    restartFrameClock();
}
