#include "app/Recording.h"

#include <array>

#include "app/Frame.h"
#include "app/PlaySession.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "game/FrameClock.h"
#include "game/Input.h"
#include "level/LevelChecksum.h"
#include "level/LevelLoader.h"
#include "platform/EventLog.h"
#include "platform/Timer.h"

std::unique_ptr<std::FILE, FileCloser> demoFile;

namespace {
struct QueuedKey {
    GameKey key;
    bool down;
};
// Far more than a person types between two frames; a key beyond it is dropped.
std::array<QueuedKey, 64> queuedKeys;
std::size_t queuedKeyCount = 0;
float lastDemoFlush = 0;

void queueKey(GameKey key, bool down) {
    if (queuedKeyCount < queuedKeys.size()) queuedKeys[queuedKeyCount++] = QueuedKey{key, down};
}
}  // namespace

void writeDemoHeader() {
    std::FILE* file = demoFile.get();
    std::fprintf(file, "zarnoth-demo 1\nlevel %d\n", currentLevel);
    if (settings)
        std::fprintf(file, "settings %s %s\n", settings->gameModeString().c_str(),
                     settings->gameMode ? "fullscreen" : "window");
    std::fprintf(file, "checksum %s\n", levelFilesChecksum().c_str());
    std::fflush(file);
}

bool recordKey(GameKey key, bool down) {
    if (!demoFile) return true;
    char name[16];
    if (!nameOfKey(key, name)) return false;
    std::fprintf(demoFile.get(), "%s %s\n", down ? "down" : "up", name);
    return true;
}

bool finishDemo() {
    if (!demoFile) return true;
    return std::fflush(demoFile.get()) == 0 && !std::ferror(demoFile.get());
}

void recordKeyDown(unsigned char key, int, int) { queueKey(GameKey{false, key}, true); }
void recordKeyUp(unsigned char key, int, int) { queueKey(GameKey{false, key}, false); }
void recordSpecialDown(int key, int, int) { queueKey(GameKey{true, key}, true); }
void recordSpecialUp(int key, int, int) { queueKey(GameKey{true, key}, false); }

void recordHeldKeyReleases() { releaseHeldKeys(recordSpecialUp, recordKeyUp); }

void recordIdle() {
    setEventFrame(session.step);
    // A key may end the process; the queue is emptied before it is delivered.
    const std::size_t count = queuedKeyCount;
    const std::array<QueuedKey, queuedKeys.size()> keys = queuedKeys;
    queuedKeyCount = 0;
    for (std::size_t i = 0; i < count; ++i) deliverSessionKey(keys[i].key, keys[i].down);

    const float dt = nextFrameTime();
    std::fprintf(demoFile.get(), "step %.9g\n", static_cast<double>(dt));
    // A recording cut short by a kill or a crash keeps all but its last second.
    const float now = timer.elapsed();
    if (now - lastDemoFlush >= 0.5f) {
        std::fflush(demoFile.get());
        lastDemoFlush = now;
    }
    runFrame(dt);
    ++session.step;
}
