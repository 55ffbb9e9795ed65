#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "TempDir.h"
#include "app/InputTrack.h"

namespace {
InputTrack read(const TempDir& dir, const std::string& text) {
    dir.write("input.txt", text);
    InputTrack track;
    std::string error;
    EXPECT_EQ(readInputTrack("input.txt", "input.txt", track, error), TrackRead::Read) << error;
    return track;
}

std::string refusal(const TempDir& dir, const std::string& text) {
    dir.write("input.txt", text);
    InputTrack track;
    std::string error;
    EXPECT_EQ(readInputTrack("input.txt", "input.txt", track, error), TrackRead::Malformed);
    return error;
}

void expectKey(const TrackKey& key, std::uint32_t frame, bool special, int code, bool down) {
    EXPECT_EQ(key.frame, frame);
    EXPECT_EQ(key.key.special, special);
    EXPECT_EQ(key.key.code, code);
    EXPECT_EQ(key.down, down);
}
}  // namespace

// Seconds become whole frames of the frame time in force, rounded; a hold
// spans its frames, a tap one frame, press and release none; keys left after
// the last frame come after the last step.
TEST(InputScript, CommandsBecomeFramesAndKeysAtTheirFrames) {
    TempDir dir;
    const InputTrack track = read(dir,
                                  "# a comment line\r\n"
                                  "wait 0.1   # 6 frames of 1/60\r\n"
                                  "hold up 0.03\n"  // 1.8 frames: 2
                                  "\n"
                                  "frametime 0.1\n"
                                  "tap f2\n"
                                  "press ,\n"
                                  "wait 0.04\n"  // 0.4 frames: none
                                  "release ,\n"
                                  "hold space 0.26\n"  // 3 frames
                                  "press escape");     // no line feed at the end
    ASSERT_EQ(track.frameTimes.size(), 6u + 2u + 1u + 3u);
    EXPECT_FLOAT_EQ(track.frameTimes[0], 1.0f / 60);
    EXPECT_FLOAT_EQ(track.frameTimes[7], 1.0f / 60);
    EXPECT_FLOAT_EQ(track.frameTimes[8], 0.1f);
    EXPECT_FALSE(track.demo);
    ASSERT_EQ(track.keys.size(), 9u);
    expectKey(track.keys[0], 6, true, GLUT_KEY_UP, true);
    expectKey(track.keys[1], 8, true, GLUT_KEY_UP, false);
    expectKey(track.keys[2], 8, true, GLUT_KEY_F2, true);
    expectKey(track.keys[3], 9, true, GLUT_KEY_F2, false);
    expectKey(track.keys[4], 9, false, ',', true);
    expectKey(track.keys[5], 9, false, ',', false);
    expectKey(track.keys[6], 9, false, ' ', true);
    expectKey(track.keys[7], 12, false, ' ', false);
    expectKey(track.keys[8], 12, false, 27, true);
}

// A demo's steps carry their own frame times exactly; a last line without
// its line feed was cut off by a killed recording and is left out.
TEST(Demo, StepsKeysAndHeaderAreReadAndACutLastLineIsDropped) {
    TempDir dir;
    const InputTrack track = read(dir,
                                  "zarnoth-demo 1\n"
                                  "level 2\n"
                                  "settings 640x480:32@60 window\n"
                                  "checksum 00ff00ff00ff00ff\n"
                                  "step 0\n"
                                  "down up\n"
                                  "down c\n"
                                  "step 0.0166731495\n"
                                  "up up\n"
                                  "step 0.0170001\n"
                                  "step 0.01");
    EXPECT_TRUE(track.demo);
    EXPECT_EQ(track.level, 2);
    EXPECT_EQ(track.settings, "640x480:32@60 window");
    EXPECT_EQ(track.checksum, "00ff00ff00ff00ff");
    ASSERT_EQ(track.frameTimes.size(), 3u);
    EXPECT_EQ(track.frameTimes[1], 0.0166731495f);
    ASSERT_EQ(track.keys.size(), 3u);
    expectKey(track.keys[0], 1, true, GLUT_KEY_UP, true);
    expectKey(track.keys[1], 1, false, 'c', true);
    expectKey(track.keys[2], 2, true, GLUT_KEY_UP, false);
}

// A line holds up to 1024 characters, a carriage return among them; a longer
// line, a failed read and a demo without its level line are refused at their line.
TEST(InputTrack, FaultsAreRefusedWithTheirLineNumber) {
    TempDir dir;
    const std::string wait = "wait 0.1" + std::string(1016, ' ');
    EXPECT_EQ(read(dir, wait + "\n" + wait).frameTimes.size(), 12u);
    EXPECT_EQ(read(dir, wait.substr(0, 1023) + "\r\n").frameTimes.size(), 6u);
    EXPECT_EQ(refusal(dir, "tap up\n" + wait + "\r\n"), "input.txt:2: line longer than 1024 characters");
    EXPECT_EQ(refusal(dir, "tap up\n" + wait + " "), "input.txt:2: line longer than 1024 characters");

    EXPECT_EQ(refusal(dir, "zarnoth-demo 1\n\n"), "input.txt:3: the header has no level line");

    // fopen opens a directory on Linux; reading it fails.
    InputTrack track;
    std::string error;
    EXPECT_EQ(readInputTrack(std::fopen(".", "r"), "here", track, error), TrackRead::Malformed);
    EXPECT_EQ(error, "here:1: read error");
}
