#include "app/KeyNames.h"

#include <GL/freeglut.h>

#include <cstring>

#include "game/Input.h"

namespace {
struct NamedKey {
    const char* name;
    GameKey key;
};

const NamedKey namedKeys[] = {
    {"up", {true, GLUT_KEY_UP}},
    {"down", {true, GLUT_KEY_DOWN}},
    {"left", {true, GLUT_KEY_LEFT}},
    {"right", {true, GLUT_KEY_RIGHT}},
    {"pageup", {true, GLUT_KEY_PAGE_UP}},
    {"pagedown", {true, GLUT_KEY_PAGE_DOWN}},
    {"f1", {true, GLUT_KEY_F1}},
    {"f2", {true, GLUT_KEY_F2}},
    {"f5", {true, GLUT_KEY_F5}},
    {"f6", {true, GLUT_KEY_F6}},
    {"space", {false, ' '}},
    {"escape", {false, 27}},
};

bool printable(int code) { return code > ' ' && code < 127; }
}  // namespace

bool keyFromName(std::string_view name, GameKey& key) {
    for (const NamedKey& named : namedKeys) {
        if (name == named.name) {
            key = named.key;
            return true;
        }
    }
    if (name.size() == 1 && printable(static_cast<unsigned char>(name[0]))) {
        key = GameKey{false, static_cast<unsigned char>(name[0])};
        return true;
    }
    return false;
}

bool nameOfKey(GameKey key, char (&name)[16]) {
    for (const NamedKey& named : namedKeys) {
        if (named.key.special == key.special && named.key.code == key.code) {
            std::strncpy(name, named.name, sizeof name - 1);
            name[sizeof name - 1] = '\0';
            return true;
        }
    }
    if (key.special || !printable(key.code)) return false;
    name[0] = static_cast<char>(key.code);
    name[1] = '\0';
    return true;
}

void deliverKey(GameKey key, bool down) {
    if (key.special) {
        if (down)
            onSpecialDown(key.code, 0, 0);
        else
            onSpecialUp(key.code, 0, 0);
    } else {
        const auto character = static_cast<unsigned char>(key.code);
        if (down)
            onKeyDown(character, 0, 0);
        else
            onKeyUp(character, 0, 0);
    }
}
