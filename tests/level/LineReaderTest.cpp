#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "TempDir.h"
#include "level/LineReader.h"
#include "level/ObjectFileException.h"

namespace {

std::vector<std::string> readAll(const char* path) {
    LineReader reader(path);
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line)) lines.push_back(line);
    EXPECT_FALSE(reader.next(line));
    return lines;
}

std::string messageOf(auto&& action) {
    try {
        action();
    } catch (const ObjectFileException& error) {
        return error.what();
    }
    return "";
}

}  // namespace

TEST(LineReader, SplitsAtLineFeedsAndDropsOnlyTheCarriageReturnBeforeOne) {
    TempDir dir;
    dir.write("a.txt", "one\r\n\r\ntwo\rthree\n\nlast");
    EXPECT_EQ(readAll("./a.txt"), (std::vector<std::string>{"one", "", "two\rthree", "", "last"}));

    dir.write("b.txt", "only\n");
    EXPECT_EQ(readAll("./b.txt"), (std::vector<std::string>{"only"}));
    dir.write("empty.txt", "");
    EXPECT_TRUE(readAll("./empty.txt").empty());
}

TEST(LineReader, ReadsLinesOfAnyLength) {
    TempDir dir;
    const std::string longLine(100000, 'a');
    dir.write("long.txt", longLine + "\nshort\n");
    EXPECT_EQ(readAll("./long.txt"), (std::vector<std::string>{longLine, "short"}));
}

TEST(LineReader, NeedEndsABlockAtTheEndOfTheFile) {
    TempDir dir;
    dir.write("a.txt", "x\n");
    LineReader reader("./a.txt");
    EXPECT_EQ(reader.need(), "x");
    EXPECT_THROW(reader.need(), FileEnded);
}

TEST(LineReader, MissingFilesDirectoriesAndFailedReadsAreReadErrors) {
    TempDir dir;
    dir.write("levels/x.txt", "x");
    EXPECT_EQ(messageOf([] { LineReader reader("./levels/missing.txt"); }), "Lesefehler.");
    EXPECT_EQ(messageOf([] { LineReader reader("./levels"); }), "Lesefehler.");

    // A stream open only for writing fails every read with an error, not an end of file.
    LineReader writeOnly(std::fopen("./levels/x.txt", "w"));
    std::string line;
    EXPECT_EQ(messageOf([&] { writeOnly.next(line); }), "Lesefehler.");
}

TEST(LineReader, FewerConversionsAndLongWordsAreFormatErrors) {
    EXPECT_NO_THROW(requireFields(3, 3, "three numbers"));
    EXPECT_EQ(messageOf([] { requireFields(2, 3, "three numbers"); }), "Fehler.");
    EXPECT_EQ(messageOf([] { requireFields(EOF, 1, "a number"); }), "Fehler.");

    WordBuffer word = {};
    std::sscanf(std::string(39, 'w').c_str(), "%40s", word);
    EXPECT_NO_THROW(requireShortWord(word, "a word"));
    std::sscanf(std::string(500, 'w').c_str(), "%40s", word);
    EXPECT_EQ(messageOf([&] { requireShortWord(word, "a word"); }), "Fehler.");
}
