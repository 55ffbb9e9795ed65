#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/KeyNames.h"

// The player's own keys, from optional lines of zarnoth.ini that open their
// line: KeyForward, KeyBack, KeyTurnLeft, KeyTurnRight, KeyStrafeLeft,
// KeyStrafeRight and KeyJump, each with a key name as input scripts write it
// (`KeyForward=w`). A key added to an action does what the action's own key
// does, which keeps working. A key the game uses for something else, or one
// already added to another action, is refused; the other lines still count.
struct KeySettings {
    static constexpr std::size_t actionCount = 7;

    struct AddedKey {
        bool set = false;
        GameKey key;
    };
    // By action, in the order of the list above.
    std::array<AddedKey, actionCount> added{};

    // A refused line: its number and what is wrong, e.g.
    // `KeyJump=c refused: the game already uses c for the collision pass`.
    struct Refusal {
        int line = 0;
        std::string text;
    };
    std::vector<Refusal> refusals;

    // Lines seen so far: the settings file hands over every line in order.
    int linesSeen = 0;

    // One line of the settings file, without its '\n'; taken when it sets one
    // of the keys above.
    void applyLine(std::string_view line);

    // The key that reaches the game for a key pressed: the action's own key
    // where the player added `pressed` to an action, else `pressed` itself.
    GameKey specifiedKey(GameKey pressed) const;
};

// Writes each refusal to stderr, "zarnoth: zarnoth.ini:LINE: TEXT".
void reportKeyRefusals(const KeySettings& keys);
