#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TempDir.h"
#include "app/GameStart.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "platform/MessageBox.h"

namespace {

using Message = std::pair<std::string, std::string>;

bool mainLoopEntered = false;

// Runs the whole start of the program in a fresh working directory, with
// messages recorded and the main loop replaced by a return.
class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        mainLoopEntered = false;
        enterMainLoop = [] { mainLoopEntered = true; };
        previousSink_ = setMessageSink(
            [this](const std::string& text, const std::string& caption) { messages.emplace_back(text, caption); });
    }
    void TearDown() override {
        setMessageSink(std::move(previousSink_));
        enterMainLoop = glutMainLoop;
    }

    int run() { return runZarnoth(); }

    TempDir dir;
    std::vector<Message> messages;
    MessageSink previousSink_;
};

const Message unreadable{"zarnoth.ini kann nicht gelesen werden. Standardsettings werden erstellt.", "Fehler"};
const Message invalid{"Geladene Einstellungen ungültig.", "Fehler"};
const Message tooLarge{"Window größer als Auflösung.", "Fehler"};

}  // namespace

TEST_F(Startup, UnreadableSettingsFallBackToThirtyTwoBitsAndTheGameStarts) {
    EXPECT_EQ(run(), 0);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front(), unreadable);
    EXPECT_TRUE(mainLoopEntered);
    EXPECT_EQ(settings->colorDepth, 32);
    EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 640);
    EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 480);

    // A directory where the file should be is a read error, with the same outcome.
    std::filesystem::create_directory(dir.path() / "zarnoth.ini");
    messages.clear();
    mainLoopEntered = false;
    EXPECT_EQ(run(), 0);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front(), unreadable);
    EXPECT_TRUE(mainLoopEntered);
    EXPECT_EQ(settings->width, 640);
}

TEST_F(Startup, ReadableSettingsOpenTheirWindowWithoutAMessage) {
    dir.write("zarnoth.ini", "Resolution=800x600\r\nColorDepth=32\r\nGameMode=0\r\n");
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(mainLoopEntered);
    EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 800);
    EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 600);
    EXPECT_EQ(glutGet(GLUT_WINDOW_DOUBLEBUFFER), 1);
    EXPECT_GT(glutGet(GLUT_WINDOW_DEPTH_SIZE), 0);
    for (const Message& message : messages) EXPECT_NE(message.first, invalid.first);
}

TEST_F(Startup, DisplayErrorsEndTheProgramWithTheirMessage) {
    const std::vector<std::pair<std::string, Message>> cases = {
        {"GameMode=1\n", invalid},            // no game mode on this server
        {"Resolution=2000x2000\n", invalid},  // larger both ways
        {"Resolution=800\n", invalid},        // no height
        {"Resolution=2000x100\n", tooLarge},  // passes the settings check, not the window
        {"Resolution=100x1025\n", tooLarge},
    };
    for (const auto& [content, expected] : cases) {
        SCOPED_TRACE(content);
        dir.write("zarnoth.ini", content);
        messages.clear();
        mainLoopEntered = false;
        EXPECT_EQ(run(), 0);
        EXPECT_EQ(messages, std::vector<Message>{expected});
        EXPECT_FALSE(mainLoopEntered);
    }
}
