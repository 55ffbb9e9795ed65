#include "app/KeySettings.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/ShownValue.h"

namespace {
struct Action {
    const char* setting;  // the key of zarnoth.ini, with its "="
    GameKey own;          // the key the game has always had for it
};

const Action actions[KeySettings::actionCount] = {
    {"KeyForward=", {true, GLUT_KEY_UP}},
    {"KeyBack=", {true, GLUT_KEY_DOWN}},
    {"KeyTurnLeft=", {true, GLUT_KEY_LEFT}},
    {"KeyTurnRight=", {true, GLUT_KEY_RIGHT}},
    {"KeyStrafeLeft=", {false, ','}},
    {"KeyStrafeRight=", {false, '.'}},
    {"KeyJump=", {false, ' '}},
};

struct KeyUse {
    GameKey key;
    const char* use;
};

// Every key the game itself acts on; "t" is the sound key.
const KeyUse gameKeys[] = {
    {{true, GLUT_KEY_UP}, "walking forward"},
    {{true, GLUT_KEY_DOWN}, "walking backward"},
    {{true, GLUT_KEY_LEFT}, "turning left"},
    {{true, GLUT_KEY_RIGHT}, "turning right"},
    {{true, GLUT_KEY_PAGE_UP}, "tilting the camera"},
    {{true, GLUT_KEY_PAGE_DOWN}, "tilting the camera"},
    {{true, GLUT_KEY_F1}, "the previous level"},
    {{true, GLUT_KEY_F2}, "the next level"},
    {{true, GLUT_KEY_F5}, "wireframe"},
    {{true, GLUT_KEY_F6}, "solid drawing"},
    {{false, 27}, "quitting"},
    {{false, ' '}, "jumping"},
    {{false, ','}, "strafing left"},
    {{false, '.'}, "strafing right"},
    {{false, 'c'}, "the collision pass"},
    {{false, 'm'}, "mip-mapping"},
    {{false, 'o'}, "the optimisation"},
    {{false, 'p'}, "the pause"},
    {{false, 'h'}, "the list of keys"},
    {{false, 't'}, "the sound"},
};

bool sameKey(GameKey a, GameKey b) { return a.special == b.special && a.code == b.code; }

// Why `key` cannot be added to action `index`; empty when it can.
std::string refusalReason(const KeySettings& keys, std::size_t index, GameKey key, std::string_view name) {
    for (const KeyUse& used : gameKeys) {
        // An action's own key added to it changes nothing, and harms nothing.
        if (sameKey(used.key, key) && !sameKey(actions[index].own, key))
            return "the game already uses " + std::string(name) + " for " + used.use;
    }
    for (std::size_t other = 0; other < KeySettings::actionCount; ++other) {
        if (other != index && keys.added[other].set && sameKey(keys.added[other].key, key)) {
            const std::string_view setting = actions[other].setting;
            return std::string(name) + " is already the key of " + std::string(setting.substr(0, setting.size() - 1));
        }
    }
    return {};
}
}  // namespace

void KeySettings::applyLine(std::string_view line) {
    ++linesSeen;
    for (std::size_t index = 0; index < actionCount; ++index) {
        const std::string_view setting = actions[index].setting;
        if (line.rfind(setting, 0) != 0) continue;
        std::string_view value = line.substr(setting.size());
        while (!value.empty() && (value.back() == '\r' || value.back() == ' ' || value.back() == '\t'))
            value.remove_suffix(1);
        const std::string written = std::string(setting) + shownValue(value);
        GameKey key;
        std::string reason;
        if (value.empty())
            reason = "no key is named";
        else if (!keyFromName(value, key))
            // Appended, not prepended: GCC 12 warns of a false overlap for `"..." + std::string`.
            reason.append("\"").append(shownValue(value)).append("\" is not a key name");
        else
            reason = refusalReason(*this, index, key, value);
        if (!reason.empty()) {
            refusals.push_back(Refusal{linesSeen, written + " refused: " + reason});
            return;
        }
        added[index] = AddedKey{true, key};
        return;
    }
}

GameKey KeySettings::specifiedKey(GameKey pressed) const {
    for (std::size_t index = 0; index < actionCount; ++index) {
        if (added[index].set && sameKey(added[index].key, pressed)) return actions[index].own;
    }
    return pressed;
}

void reportKeyRefusals(const KeySettings& keys) {
    for (const KeySettings::Refusal& refusal : keys.refusals)
        std::fprintf(stderr, "zarnoth: zarnoth.ini:%d: %s\n", refusal.line, refusal.text.c_str());
}
