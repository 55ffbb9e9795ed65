#include "game/Death.h"

#include "game/BlockingMessage.h"
#include "game/GameState.h"
#include "game/LevelEntry.h"
#include "level/LevelLoader.h"
#include "platform/EventLog.h"
#include "scene/Player.h"

namespace {
constexpr float fallDuration = 0.5f;   // seconds of sinking after an abyss
constexpr float sinkPerFrame = 0.01f;  // units, not scaled by the frame time
}  // namespace

void updateFallAndDeath(float dt) {
    if (falling) {
        fallTime += dt;
        if (fallTime >= fallDuration) {
            if (!dead) logEvent("died");
            dead = true;
            falling = false;
            fallTime = 0;
        } else if (player) {
            player->jumpHeight -= sinkPerFrame;
        }
    }
    if (!dead || falling || !player) return;

    if (player->die(dt)) {
        showBlockingMessage(deathMessageText, deathMessageCaption);
        enterLevel(currentLevel, Arrival::AfterDeath);
    }
}
