#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "GlTestContext.h"
#include "TempDir.h"
#include "game/Camera.h"
#include "game/Collision.h"
#include "game/FrameClock.h"
#include "game/GameState.h"
#include "game/Input.h"
#include "game/SceneFrame.h"
#include "level/LevelLoader.h"
#include "level/Scene.h"
#include "platform/MessageBox.h"
#include "scene/Player.h"

// A scene object that answers collision tests with a chosen result and
// counts what the game asks of it.
class Probe : public SceneObject {
public:
    explicit Probe(HitKind hit = HIT_NONE) : hit(hit) {}

    void draw(const float*) override { ++drawCalls; }
    void drawLocal() override { draw(nullptr); }
    void activate() override { ++activateCalls; }
    HitKind collide(CollisionModel3D* other) override {
        ++collideCalls;
        lastOther = other;
        return hit;
    }
    void update(float frames) override {
        ++updateCalls;
        updatedFrames += frames;
    }
    void compileDisplayList() override {}

    HitKind hit;
    int drawCalls = 0;
    int activateCalls = 0;
    int collideCalls = 0;
    int updateCalls = 0;
    float updatedFrames = 0;
    CollisionModel3D* lastOther = reinterpret_cast<CollisionModel3D*>(1);
};

// Every test starts from a fresh game: a configured player at the start of an
// empty level, all switches on, no keys held, messages recorded.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureGlContext();
        testPlayer = std::make_unique<Player>();
        configurePlayer(*testPlayer);
        player = testPlayer.get();

        camera.reset();
        releaseHeldKeys();
        jumpRequested = blocked = dead = falling = paused = helpShown = false;
        blockAxis = blockSign = 0;
        blockedDirections = 0;
        fallTime = 0;
        clearScene();
        // A scene made by hand needs no warm-up draw of a load.
        warmUpPending = false;
        currentLevel = 1;
        collisionEnabled = optimizationEnabled = mipmapEnabled = true;
        previousSink_ = setMessageSink([this](const std::string& text, const std::string& caption) {
            messages.emplace_back(text, caption);
            if (onMessage) onMessage();
        });
        restartFrameClock();
    }

    void TearDown() override {
        setMessageSink(std::move(previousSink_));
        clearScene();
        player = nullptr;
    }

    static void clearScene() {
        for (auto& object : objects) object->linkedObjects.clear();
        objects.clear();
        sortedObjects.clear();
        walls.clear();
        levelObject.reset();
    }

    // A probe at ground position (x, z) in `objects` or `sortedObjects`.
    static Probe& addProbe(std::vector<std::unique_ptr<SceneObject>>& list, HitKind hit, float x = 0, float z = 0) {
        auto probe = std::make_unique<Probe>(hit);
        probe->position = Vector3{x, 0, z};
        Probe& result = *probe;
        list.push_back(std::move(probe));
        return result;
    }

    static void addWall(float x1, float z1, float x2, float z2, short axis, short sign, int nextLevel = 0) {
        Wall wall;
        wall.x1 = x1;
        wall.z1 = z1;
        wall.x2 = x2;
        wall.z2 = z2;
        wall.blockAxis = axis;
        wall.blockSign = sign;
        wall.nextLevel = nextLevel;
        walls.push_back(wall);
    }

    // Puts the player at ground position (x, z).
    static void placePlayer(float x, float z) {
        camera.offset.x = -x;
        camera.offset.z = -z;
        camera.matrixValid = false;
    }

    std::unique_ptr<Player> testPlayer;
    std::vector<std::pair<std::string, std::string>> messages;
    std::function<void()> onMessage;
    MessageSink previousSink_;
};

// The three files of one level in a temporary working directory.
inline void writeLevel(const TempDir& dir, int n, const std::string& objectFile, const std::string& formatFile = "0\n",
                       const std::string& actionFile = "") {
    const std::string number = std::to_string(n);
    dir.write("levels/level" + number + ".cfg", objectFile);
    dir.write("levels/levelformat" + number + ".txt", formatFile);
    dir.write("levels/action" + number + ".txt", actionFile);
}
