#include "game/Collision.h"

#include <memory>
#include <vector>

#include "game/Camera.h"
#include "game/GameSounds.h"
#include "game/GameState.h"
#include "game/LevelEntry.h"
#include "game/LevelResult.h"
#include "game/Movement.h"
#include "game/PlayerSounds.h"
#include "game/SceneFrame.h"
#include "level/ObjectGrid.h"
#include "level/Scene.h"
#include "platform/EventLog.h"
#include "scene/Placement.h"
#include "scene/Player.h"
#include "scene/WaterAbyssObject.h"

bool collisionEnabled = true;

namespace {

enum class Scan { Continue, Stop };

// The directions blocked by the contacts of this pass so far.
unsigned passBlocks = 0;

// A wall or lattice touched: it blocks, and with it every other one touched in this pass.
void block(short axis, short sign) {
    blockAxis = axis;
    blockSign = sign;
    blocked = true;
    passBlocks |= directionBit(axis, sign);
    blockedDirections = passBlocks;
}

Scan reactTo(SceneObject& object, HitKind hit) {
    switch (hit) {
        case HIT_MESH:
            // One death sound, by the first cause: a player already sinking
            // in an abyss is not struck again.
            if (!dead) {
                logEvent("died");
                if (!falling) playPlayerCue(PlayerCue::Struck);
            }
            dead = true;
            return Scan::Stop;
        case HIT_ABYSS:
            if (!falling) {
                logEvent("fell");
                const bool water = dynamic_cast<WaterAbyssObject*>(&object) != nullptr;
                if (!dead) playPlayerCue(water ? PlayerCue::Drown : PlayerCue::Fall);
            }
            falling = true;
            return Scan::Stop;
        case HIT_SWITCH:
            logEvent("switch");
            playSwitchSound(object);
            for (SceneObject* linked : object.linkedObjects) {
                linked->activate();
                playActivatedSound(*linked);
            }
            for (SceneObject* linked : object.linkedSortedObjects) {
                linked->activate();
                playActivatedSound(*linked);
            }
            return Scan::Continue;
        case HIT_LATTICE:
            block(object.blockAxis, object.blockSign);
            return Scan::Continue;
        default:
            return Scan::Continue;
    }
}

// Objects left out of this frame's drawing get the matrix their draw would
// have stored, before any contact of the pass moves anything.
void placeIfStale(SceneObject& object) {
    if (object.matrixDrawing == sceneDrawing) return;
    if (!camera.matrixValid) camera.computeMatrix();
    { PlacementScope placed(object, camera.matrix); }
    object.matrixDrawing = sceneDrawing;
}

// The objects of `objects` that may be within reach, in list order; kept
// between passes, so that a pass allocates nothing once it has grown.
std::vector<std::size_t> nearObjects;

bool withinReach(SceneObject& object) {
    object.distanceToPlayer = groundDistance(object, -camera.offset.x, -camera.offset.z);
    // An unusable distance (a position read as "nan") is not near either.
    return object.distanceToPlayer < collisionRange;
}

void placeObjectsWithinReach() {
    for (const std::size_t index : nearObjects) {
        SceneObject& object = *objects[index];
        if (withinReach(object)) placeIfStale(object);
    }
    for (const auto& object : sortedObjects)
        if (withinReach(*object)) placeIfStale(*object);
}

// Only the objects the grid finds near the player are visited; those within
// reach are asked in list order, as a look at every object would ask them.
void testNearObjects(CollisionModel3D* playerModel) {
    for (const std::size_t index : nearObjects) {
        SceneObject& object = *objects[index];
        if (!withinReach(object)) continue;
        const HitKind hit = object.collide(playerModel);
        // A pressed switch moves.
        if (hit == HIT_SWITCH) {
            objectGrid.moved(index, object);
            objectMoved(index);
        }
        if (reactTo(object, hit) == Scan::Stop) return;
    }
}

// Water and lattices are few, and every frame sorts them all for drawing anyway.
void testSortedObjects(CollisionModel3D* playerModel) {
    for (const auto& object : sortedObjects) {
        if (!withinReach(*object)) continue;
        if (reactTo(*object, object->collide(playerModel)) == Scan::Stop) return;
    }
}

// Several walls may block at once, and all of them hold. A wall that leads to
// another level ends the pass, as the walls being walked are gone after the load.
void testWalls() {
    const float* sphere = player->boundingSphere;
    const float cx = sphere[0] - camera.offset.x;
    const float cy = sphere[1];
    const float cz = sphere[2] - camera.offset.z;
    for (const Wall& wall : walls) {
        if (!segmentTouchesSphere(wall.x1, 0, wall.z1, wall.x2, 0, wall.z2, cx, cy, cz, sphere[3])) continue;
        block(wall.blockAxis, wall.blockSign);
        if (wall.nextLevel >= 1) {
            logEvent("exit %d", wall.nextLevel);
            leaveLevelThroughExit(wall.nextLevel);
            enterLevel(wall.nextLevel, Arrival::AtStart);
            // After the load, which stops the last level's sounds.
            playPlayerCue(PlayerCue::Exit);
            return;
        }
    }
}
}  // namespace

void checkCollisions() {
    if (!player) return;
    passBlocks = 0;

    // Without a bounding model the objects are asked with nothing to hit,
    // which none of them reports as a contact; the walls still count.
    CollisionModel3D* playerModel = player->model.boundingModel.get();
    if (playerModel) playerModel->setTransform(player->modelViewMatrix.data());

    if (!objectGrid.builtFor(objects)) objectGrid.build(objects);
    objectGrid.objectsNear(-camera.offset.x, -camera.offset.z, nearObjects);
    placeObjectsWithinReach();
    testNearObjects(playerModel);
    testSortedObjects(playerModel);
    testWalls();
}

bool segmentTouchesSphere(float x1, float y1, float z1, float x2, float y2, float z2, float cx, float cy, float cz,
                          float r) {
    const float dx = x2 - x1, dy = y2 - y1, dz = z2 - z1;
    const float wx = cx - x1, wy = cy - y1, wz = cz - z1;
    const float lengthSquared = dx * dx + dy * dy + dz * dz;

    // A wall of no length is a point: it touches when it lies within the sphere.
    if (lengthSquared == 0) return wx * wx + wy * wy + wz * wz <= r * r;

    const float t = (wx * dx + wy * dy + wz * dz) / lengthSquared;
    if (t < 0 || t > 1) return false;

    // The line meets the sphere exactly when its nearest point to the centre
    // is within r. Measured from that point, a touch at an end point (t 0 or 1)
    // compares the same numbers that placed the sphere there.
    const float nx = x1 + t * dx - cx, ny = y1 + t * dy - cy, nz = z1 + t * dz - cz;
    return nx * nx + ny * ny + nz * nz <= r * r;
}
