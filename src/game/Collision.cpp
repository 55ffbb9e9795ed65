#include "game/Collision.h"

#include <memory>
#include <vector>

#include "app/Globals.h"
#include "game/Camera.h"
#include "game/GameState.h"
#include "level/LevelLoader.h"
#include "level/Scene.h"
#include "platform/EventLog.h"
#include "scene/Player.h"
#include "surfaces/Placement.h"

namespace {
constexpr float testRange = 5.0f;  // objects this far or farther are not tested

enum class Scan { Continue, Stop };

Scan reactTo(SceneObject& object, HitKind hit) {
    switch (hit) {
        case HIT_MESH:
            if (!dead) logEvent("died");
            dead = true;
            return Scan::Stop;
        case HIT_ABYSS:
            if (!falling) logEvent("fell");
            falling = true;
            return Scan::Stop;
        case HIT_SWITCH:
            logEvent("switch");
            for (SceneObject* linked : object.linkedObjects) linked->activate();
            for (SceneObject* linked : object.linkedSortedObjects) linked->activate();
            return Scan::Continue;
        case HIT_LATTICE:
            blockAxis = object.blockAxis;
            blockSign = object.blockSign;
            blocked = true;
            return Scan::Continue;
        default:
            return Scan::Continue;
    }
}

void testObjects(const std::vector<std::unique_ptr<SceneObject>>& list, CollisionModel3D* playerModel) {
    for (const auto& object : list) {
        object->distanceToPlayer = groundDistance(*object, -camera.offset.x, -camera.offset.z);
        // An unusable distance (a position read as "nan") is not near either.
        if (!(object->distanceToPlayer < testRange)) continue;
        if (reactTo(*object, object->collide(playerModel)) == Scan::Stop) return;
    }
}

// Several walls may block at once: the last one wins. A wall that leads to
// another level ends the pass, as the walls being walked are gone after the load.
void testWalls() {
    const float* sphere = player->boundingSphere;
    const float cx = sphere[0] - camera.offset.x;
    const float cy = sphere[1];
    const float cz = sphere[2] - camera.offset.z;
    for (const Wall& wall : walls) {
        if (!segmentTouchesSphere(wall.x1, 0, wall.z1, wall.x2, 0, wall.z2, cx, cy, cz, sphere[3])) continue;
        blockAxis = wall.blockAxis;
        blockSign = wall.blockSign;
        blocked = true;
        if (wall.nextLevel >= 1) {
            logEvent("exit %d", wall.nextLevel);
            currentLevel = wall.nextLevel;
            loadLevel(currentLevel);
            camera.reset();
            return;
        }
    }
}
}  // namespace

void checkCollisions() {
    if (!player) return;

    // Without a bounding model the objects are asked with nothing to hit,
    // which none of them reports as a contact; the walls still count.
    CollisionModel3D* playerModel = player->model.boundingModel.get();
    if (playerModel) playerModel->setTransform(player->modelViewMatrix.data());

    testObjects(objects, playerModel);
    testObjects(sortedObjects, playerModel);
    testWalls();
}
