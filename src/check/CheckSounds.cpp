#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "app/SoundSettings.h"
#include "check/Checker.h"
#include "game/PlayerSounds.h"
#include "level/LevelSounds.h"
#include "platform/Paths.h"
#include "platform/TextLines.h"
#include "sound/SoundFile.h"

namespace {
// A data directory without sounds/ plays silently by choice (an old one):
// nothing about sounds is asked of it.
bool hasSoundsFolder() {
    std::error_code error;
    return std::filesystem::is_directory("sounds", error);
}
}  // namespace

void Checker::checkSoundSettings() {
    std::unique_ptr<std::FILE, FileCloser> file(openGameFile("zarnoth.ini", "r"));
    if (!file) return;
    TextLines lines(std::move(file), {});
    std::string line;
    try {
        while (lines.next(line)) {
            SoundSettings sound;
            if (applySoundSettingLine(line, sound) && !sound.problems.empty())
                report.warning("zarnoth.ini", lines.lineNumber(), sound.problems.front());
        }
    } catch (const TextLines::ReadError&) {
        // checkSettings reports the file as unreadable.
    }
}

void Checker::checkPlayerSounds() {
    for (const char* name : playerCueNames) checkSound(name, {}, 0);
}

void Checker::checkSound(const std::string& name, const std::string& cause, int causeLine) {
    if (!hasSoundsFolder() || !sounds_.insert(name).second) return;
    const std::string path = soundFilePath(name);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        if (cause.empty()) {
            report.error(path, 1, "is missing; the game plays without this sound");
        } else {
            report.error(cause, causeLine,
                         "unknown sound name \"" + name + "\": there is no " + path + "; the game plays it silent");
        }
        return;
    }
    SoundSamples sound;
    std::string problem;
    if (!readSoundFile(path, sound, problem)) {
        // The reader's text begins with the path.
        if (problem.rfind(path + ": ", 0) == 0) problem.erase(0, path.size() + 2);
        report.error(path, 1, "cannot be read as a sound (" + problem + "); the game plays without it");
    }
}

void Checker::checkLevelSounds(int level, const std::vector<BlockKind>& objectKinds,
                               const std::vector<BlockKind>& sortedKinds) {
    const std::string path = levelSoundPath(level);
    const LevelSounds file = readLevelSounds(level, objectKinds.size(), sortedKinds.size());
    if (file.status == LevelSounds::Status::Unreadable) {
        report.error(path, 1, "cannot be read; the level sounds as without it");
    }
    for (const LevelSounds::Problem& problem : file.problems) {
        report.error(path, problem.line, problem.text + "; the game leaves the line out");
    }

    // Every sound the level plays, as the game picks it: the file's last word
    // for an object, else its kind's.
    std::vector<const ObjectSound*> named(objectKinds.size()), namedSorted(sortedKinds.size());
    for (const ObjectSound& sound : file.objects) (sound.list == 'o' ? named : namedSorted)[sound.position] = &sound;
    const auto check = [&](const std::vector<BlockKind>& kinds, const std::vector<const ObjectSound*>& names) {
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            if (names[i]) {
                if (names[i]->name != noSound) checkSound(names[i]->name, path, names[i]->line);
            } else if (const std::string_view byKind = defaultObjectSound(kinds[i]); !byKind.empty()) {
                checkSound(std::string(byKind), {}, 0);
            }
        }
    };
    check(objectKinds, named);
    check(sortedKinds, namedSorted);
    if (file.ambient.empty()) {
        checkSound(std::string(defaultAmbientSound), {}, 0);
    } else if (file.ambient != noSound) {
        checkSound(file.ambient, path, file.ambientLine);
    }
}
