#pragma once
#include <string_view>

// A key as the game's callbacks receive it: a character for the keyboard
// callbacks, a GLUT key code for the special-key callbacks.
struct GameKey {
    bool special = false;
    int code = 0;
};

// The names scripts and demos use: up down left right pageup pagedown f1 f2
// f5 f6 space escape, and any single printable character. False for others.
bool keyFromName(std::string_view name, GameKey& key);

// The name of a key that has one, into `name`; false for keys without a name
// (they do nothing in the game and are left out of demos).
bool nameOfKey(GameKey key, char (&name)[16]);

// Hands a key event to the game's own keyboard callbacks.
void deliverKey(GameKey key, bool down);
