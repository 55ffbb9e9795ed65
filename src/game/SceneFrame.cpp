#include "game/SceneFrame.h"

#include <memory>

#include "game/Camera.h"
#include "game/GameState.h"
#include "game/LevelEntry.h"
#include "level/LevelLoader.h"
#include "level/Scene.h"
#include "scene/Placement.h"
#include "scene/Player.h"
#include "scene/WaterAbyssObject.h"

bool optimizationEnabled = true;

namespace {
std::unique_ptr<Player> thePlayer;  // lives for the whole run
}  // namespace

void configurePlayer(Player& p) {
    p.scale = Vector3{0.002f, 0.002f, 0.002f};
    p.pivot.y = 0.5f;
    p.position.y = -0.5f;
    p.position.z = -1.5f;
    p.rotationY = 180;
    // Walk, jump up, landing, death; the movement code picks the rates.
    p.segmentCount = 5;
    p.segmentStart = {1, 30, 45, 60, 70};
    p.segmentFps = {55, 55, 33, 20};
    p.boundingSphere[0] = 0;
    p.boundingSphere[1] = 0;
    p.boundingSphere[2] = 0;
    p.boundingSphere[3] = playerRadius;
}

namespace {
void drawWithCamera(SceneObject& object) {
    if (!camera.matrixValid) camera.computeMatrix();
    object.draw(camera.matrix);
}
}  // namespace

void startScene() {
    thePlayer = std::make_unique<Player>();
    player = thePlayer.get();
    // Without its model the player is invisible but the game still runs.
    player->model.loadModel("./models/tarnel.txt");
    configurePlayer(*player);
    enterLevel(currentLevel, Arrival::AtStart);
}

void drawScene() {
    // A paused world stands still, its water too.
    wavesMoving = !paused;
    if (player) {
        player->rotationX = camera.pitch;
        player->draw(nullptr);
    }

    if (!camera.matrixValid) camera.computeMatrix();
    if (levelObject) levelObject->draw(camera.matrix);

    for (const auto& object : objects) drawWithCamera(*object);
    sortFarthestFirst(sortedObjects, -camera.offset.x, -camera.offset.z);
    for (const auto& object : sortedObjects) drawWithCamera(*object);
}

void pushOptimizationSwitch() {
    // Only a change of the switch is pushed: a newly loaded level's objects
    // keep their default (lists on) until the switch changes again.
    static bool lastOptimization = optimizationEnabled;
    if (optimizationEnabled == lastOptimization) return;
    lastOptimization = optimizationEnabled;
    for (const auto& object : sortedObjects) object->useDisplayList = optimizationEnabled;
    for (const auto& object : objects) object->useDisplayList = optimizationEnabled;
}
