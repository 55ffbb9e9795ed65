#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ios>
#include <memory>
#include <string>
#include <vector>

#include "app/InputTrack.h"
#include "app/Settings.h"
#include "check/CheckFrameSettings.h"
#include "check/CheckKeySettings.h"
#include "check/Checker.h"
#include "level/LevelChecksum.h"
#include "level/LevelLoader.h"
#include "platform/Paths.h"
#include "platform/TextLines.h"

namespace {

constexpr const char* settingsFileName = "zarnoth.ini";

// The line `number` of the settings file, read as the game reads it, to see
// where a key stands in it.
std::string settingsLine(int number) {
    std::unique_ptr<std::FILE, FileCloser> file(openGameFile(settingsFileName, "r"));
    if (!file) return {};
    TextLines lines(std::move(file), {});
    std::string line;
    try {
        while (lines.next(line)) {
            if (lines.lineNumber() == number) return line;
        }
    } catch (const TextLines::ReadError&) {}
    return {};
}

void checkKeyColumn(Report& report, int line, const char* key) {
    if (line == 0 || settingsLine(line).rfind(key, 0) == 0) return;
    report.warning(settingsFileName, line,
                   std::string(key) + " does not begin the line, but its value is read as if it did");
}

}  // namespace

void Checker::checkSettings() {
    std::unique_ptr<std::FILE, FileCloser> file(openGameFile(settingsFileName, "r"));
    // Without the file the game plays its built-in settings, as it should.
    if (!file) return;
    Settings settings;
    SettingsLines lines;
    try {
        settings.read(file.get(), &lines);
    } catch (const std::ios_base::failure&) {
        report.error(settingsFileName, 1, "cannot be read (the game shows \"zarnoth.ini kann nicht gelesen werden.\")");
        return;
    }
    checkKeyColumn(report, lines.resolution, "Resolution=");
    checkKeyColumn(report, lines.colorDepth, "ColorDepth=");
    checkKeyColumn(report, lines.refreshRate, "RefreshRate=");
    checkKeyColumn(report, lines.gameMode, "GameMode=");
    checkKeySettings(report, settings.playerKeys);
    checkFrameSettings(report, settings.frame);
    // Whether the screen is large enough and offers the full-screen mode only
    // the game can tell, on the display it runs on.
    const SettingsRefusal refused = settings.sizeRefusal(&lines);
    if (!refused.text.empty()) {
        report.error(settingsFileName, refused.line,
                     refused.text + " (the game shows \"Geladene Einstellungen ungültig.\")");
    }
}

void Checker::checkPlayer() {
    const std::string path = "models/tarnel.txt";
    const Model* model = checkModel(path, path, 1);
    if (model && !model->boundingModel) {
        report.warning(path, 1, "the player's model has no \"BoundingBox\" mesh, so nothing can touch the player");
    }
    // The walk, jump, landing and death segments of the player run from frame 1 to 70.
    if (model && model->frameCount < 70) {
        report.warning(path, 1,
                       "the player's model has " + std::to_string(static_cast<int>(model->frameCount)) +
                           " frames; its walk, jump, landing and death animations use frames 1 to 70");
    }
}

void Checker::checkAll() {
    checkSettings();
    checkSoundSettings();
    checkPlayer();
    checkPlayerSounds();
    for (int level = firstLevel; level <= lastLevel; ++level) checkLevel(level);
    checkDemos();
}

// Demos and input scripts, read by the reader --play uses.
void Checker::checkDemos() {
    std::error_code error;
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator("demos", error)) {
        if (entry.is_regular_file(error)) paths.push_back("demos/" + entry.path().filename().string());
    }
    std::sort(paths.begin(), paths.end());
    for (const std::string& path : paths) {
        InputTrack track;
        std::string problem;
        if (readInputTrack(path, path, track, problem) != TrackRead::Read) {
            // The reader names the place as "path:LINE: problem", or "path: problem" for the whole file.
            std::string rest = problem.rfind(path + ":", 0) == 0 ? problem.substr(path.size() + 1) : problem;
            int line = 1;
            if (!rest.empty() && std::isdigit(static_cast<unsigned char>(rest[0]))) {
                line = std::atoi(rest.c_str());
                const std::size_t colon = rest.find(':');
                rest = colon == std::string::npos ? std::string() : rest.substr(colon + 1);
            }
            const std::size_t start = rest.find_first_not_of(' ');
            report.error(path, line, start == std::string::npos ? "cannot be read" : rest.substr(start));
        } else if (track.demo && track.checksum != levelFilesChecksum()) {
            report.warning(path, 1, "the demo was recorded with other level files; it may play differently");
        }
    }
}
