#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "check/Report.h"
#include "level/ObjectFile.h"
#include "scene/Model.h"

// zarnoth-check: finds what the game would refuse or misread in the game data
// of the working directory (errors) and what loads but is likely wrong
// (warnings), using the game's own readers. Checker.cpp runs the whole check
// (settings, player, demos); CheckLevel.cpp checks a level, CheckModels.cpp
// the models and textures it names.
class Checker {
public:
    explicit Checker(Report& report) : report(report) {}

    // zarnoth.ini, the player, levels 1 to 3 and everything they name, demos/.
    void checkAll();
    void checkSettings();
    void checkPlayer();
    // The three files of one level and every model and texture they name,
    // and its optional name file.
    void checkLevel(int level);
    void checkLevelName(int level);
    void checkDemos();
    // CheckSounds.cpp: the sound keys of zarnoth.ini, the player's sounds, and
    // a level's optional sound file with every sound it and its objects need;
    // `objectKinds` and `sortedKinds` are the kinds of the level's two lists.
    void checkSoundSettings();
    void checkPlayerSounds();
    void checkLevelSounds(int level, const std::vector<BlockKind>& objectKinds,
                          const std::vector<BlockKind>& sortedKinds);
    // Reads sounds/NAME.wav once per run and reports what keeps it silent;
    // `cause` and `causeLine` name the line that asked for it (empty: the
    // sound file itself is named).
    void checkSound(const std::string& name, const std::string& cause, int causeLine);

    // Loads a model once per run and reports its problems; null when the game
    // could not load it. `cause` and `causeLine` name the line that asked for it.
    const Model* checkModel(const std::string& path, const std::string& cause, int causeLine);
    // Reads a texture once per run and reports its problems.
    void checkTexture(const std::string& name, const std::string& cause, int causeLine);

    Report& report;

private:
    std::map<std::string, std::unique_ptr<Model>> models_;  // null: did not load
    std::set<std::string> textures_;
    std::set<std::string> sounds_;
};

// The first error the checker finds in one level, formatted; empty when there
// is none. For a game that reloads a level it was told has changed.
std::string firstLevelError(int level);
