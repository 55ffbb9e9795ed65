#include "game/GameStep.h"

#include "game/Death.h"
#include "game/GameState.h"
#include "game/LevelResult.h"
#include "game/Movement.h"
#include "game/PlayerSounds.h"
#include "level/Scene.h"
#include "scene/Player.h"

void advanceGame(float dt) {
    advanceLevelClock(dt);
    bool moved = false;
    if (!dead && !falling) moved = applyHeldKeys(dt);

    for (const auto& object : objects) {
        if (object->fps != 0) object->update(static_cast<float>(object->fps) * dt);
    }

    updateFallAndDeath(dt);

    if (moved && !jumpRequested && player) {
        const float before = player->model.currentFrame;
        player->model.advanceAnimationRange(player->segmentRate(0) * dt, walkFirstFrame, walkLastFrame);
        if (footfallBetween(before, player->model.currentFrame)) playPlayerCue(PlayerCue::Step);
    }
}
