#include "game/SceneFrame.h"

#include <GL/gl.h>

#include <cmath>
#include <memory>
#include <vector>

#include "game/Camera.h"
#include "game/GameState.h"
#include "game/LevelEntry.h"
#include "game/ViewCulling.h"
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

bool warmUpPending = false;
unsigned long sceneDrawing = 0;

namespace {
// What the objects left out of the frame so far would have left behind.
StateLeft skippedState;

void drawWithCamera(SceneObject& object) {
    if (!camera.matrixValid) camera.computeMatrix();
    skippedState.flush();
    object.draw(camera.matrix);
    object.matrixDrawing = sceneDrawing;
}

// An object wholly out of view is not sent to the driver; what its draw would
// have moved on (the water's waves) still moves, and its matrix is worked out
// only if the collision pass asks for it.
void drawIfInView(SceneObject& object, const ViewVolume& volume) {
    if (!outOfView(object, volume))
        drawWithCamera(object);
    else
        object.skipDraw(skippedState);
}

// What culling needs of each object of `objects`, side by side. Of a level of
// thousands most are out of view, and visiting each object scattered over
// the heap to learn that cost more than the test itself. The sphere holds
// every pose of the object's animation; the only object of the list that
// moves in play, a pressed switch, is reported through objectMoved.
struct CullEntry {
    float centre[3] = {};
    float radius = -1;  // negative: judged from the object itself, each frame
    StateLeft left;     // what its draw leaves, which skipDraw would note
};

CullEntry cullEntry(SceneObject& object) {
    CullEntry entry;
    float radius = 0;
    // A sphere that holds no usable number is never out of view.
    if (!worldBounds(object, entry.centre, radius) || !(radius >= 0) ||
        !std::isfinite(entry.centre[0] + entry.centre[1] + entry.centre[2]))
        return entry;
    entry.radius = radius;
    object.skipDraw(entry.left);
    return entry;
}

using ObjectList = std::vector<std::unique_ptr<SceneObject>>;

struct CullTable {
    std::vector<CullEntry> entries;  // one per object, in list order
    const SceneObject* first = nullptr;
    std::size_t size = 0;

    bool builtFor(const ObjectList& list) const {
        return size == list.size() && (list.empty() || first == list.front().get());
    }

    void build(const ObjectList& list) {
        entries.clear();
        entries.reserve(list.size());
        for (const auto& object : list) entries.push_back(cullEntry(*object));
        first = list.empty() ? nullptr : list.front().get();
        size = list.size();
    }
};

CullTable cullTable;
}  // namespace

void objectMoved(std::size_t index) {
    if (cullTable.builtFor(objects) && index < objects.size()) cullTable.entries[index] = cullEntry(*objects[index]);
}

namespace {
void drawObjects(const ViewVolume& volume) {
    if (!cullTable.builtFor(objects)) cullTable.build(objects);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const CullEntry& entry = cullTable.entries[i];
        if (entry.radius < 0)
            drawIfInView(*objects[i], volume);
        else if (sphereOutOfView(entry.centre, entry.radius, volume))
            skippedState.merge(entry.left);
        else
            drawWithCamera(*objects[i]);
    }
}
}  // namespace

void startScene() {
    thePlayer = std::make_unique<Player>();
    player = thePlayer.get();
    // Without its model the player is invisible but the game still runs.
    player->model.loadModel("./models/tarnel.txt");
    configurePlayer(*player);
    enterLevel(currentLevel, Arrival::AtStart);
    warmUpScene();
}

void drawScene(bool wavesStand) {
    if (warmUpPending) warmUpScene();
    ++sceneDrawing;
    // A paused world stands still, its water too.
    wavesMoving = !paused && !wavesStand;
    if (player) {
        player->rotationX = camera.pitch;
        player->draw(nullptr);
    }

    if (!camera.matrixValid) camera.computeMatrix();
    const ViewVolume volume = ViewVolume::current(camera.matrix);
    if (levelObject) drawIfInView(*levelObject, volume);
    drawObjects(volume);
    sortFarthestFirst(sortedObjects, -camera.offset.x, -camera.offset.z);
    for (const auto& object : sortedObjects) drawIfInView(*object, volume);
    skippedState.flush();
}

void warmUpScene() {
    warmUpPending = false;
    ++sceneDrawing;
    // A load may have put new objects where old ones were.
    cullTable.build(objects);
    // Drawn into the back buffer, which the next frame clears, with the GL
    // state put back afterwards, and without moving anything on: the waves
    // stand, and the farthest-first order is left to the first real frame.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glPushMatrix();
    // What the driver does on first use depends on the state drawn with, not
    // on how many pixels are filled: a few pixels spare the load the time of
    // a whole frame's filling.
    glViewport(0, 0, 8, 8);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    const bool moving = wavesMoving;
    wavesMoving = false;
    if (player) player->draw(nullptr);
    if (levelObject) drawWithCamera(*levelObject);
    for (const auto& object : objects) drawWithCamera(*object);
    for (const auto& object : sortedObjects) drawWithCamera(*object);
    wavesMoving = moving;
    // The driver does its work for what it was given only when it must finish it.
    glFinish();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
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
