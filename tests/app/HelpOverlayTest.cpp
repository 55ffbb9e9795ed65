#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/HelpOverlay.h"

namespace {
// The rows of the README's table of the controls, "keys | action", without
// the code marks around keys.
std::vector<std::string> readmeControls() {
    std::ifstream readme(ZARNOTH_SOURCE_DIR "/README.md");
    std::vector<std::string> rows;
    std::string line;
    bool inTable = false;
    while (std::getline(readme, line)) {
        if (line == "| Key | Action |") {
            inTable = true;
            continue;
        }
        if (!inTable || line.rfind("|---", 0) == 0) continue;
        if (line.empty() || line[0] != '|') break;
        std::string row;
        for (const char c : line) {
            if (c != '`') row.push_back(c);
        }
        rows.push_back(row);
    }
    return rows;
}
}  // namespace

// Players read the keys in the game (key "h") and in the README: the two lists say the same.
TEST(HelpOverlay, ListsTheKeysOfTheReadmesTableInItsOrder) {
    std::vector<std::string> overlay;
    for (const ControlLine& line : controlLines())
        overlay.push_back(std::string("| ") + line.keys + " | " + line.action + " |");
    const std::vector<std::string> readme = readmeControls();
    ASSERT_FALSE(readme.empty()) << "no table under \"| Key | Action |\" in README.md";
    EXPECT_EQ(overlay, readme);
}
