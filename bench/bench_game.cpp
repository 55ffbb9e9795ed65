// The game logic's share of a frame: the collision pass over a level's walls
// and objects, and the movement step.
#include <benchmark/benchmark.h>

#include <memory>

#include "PlainObject.h"
#include "game/Camera.h"
#include "game/Collision.h"
#include "game/GameState.h"
#include "game/GameStep.h"
#include "game/Input.h"
#include "game/Movement.h"
#include "game/SceneFrame.h"
#include "level/LevelLoader.h"
#include "level/Scene.h"
#include "scene/Player.h"

namespace {
// An object the pass must skip or ask; it never reports a contact.
using Quiet = PlainObject;

struct Level {
    explicit Level(int wallCount, int objectCount, float objectDistance) {
        thePlayer = std::make_unique<Player>();
        configurePlayer(*thePlayer);
        player = thePlayer.get();
        camera.reset();
        walls.clear();
        objects.clear();
        // Walls ringing the level, none touching the player at the origin.
        for (int i = 0; i < wallCount; ++i) {
            Wall wall;
            wall.x1 = -50 + static_cast<float>(i % 100);
            wall.z1 = 10 + static_cast<float>(i / 100);
            wall.x2 = wall.x1 + 1;
            wall.z2 = wall.z1;
            wall.blockAxis = 2;
            wall.blockSign = 1;
            walls.push_back(wall);
        }
        for (int i = 0; i < objectCount; ++i) {
            auto object = std::make_unique<Quiet>();
            object->position = Vector3{objectDistance, 0, static_cast<float>(i % 7) * 0.01f};
            objects.push_back(std::move(object));
        }
    }
    ~Level() {
        walls.clear();
        objects.clear();
        player = nullptr;
    }
    std::unique_ptr<Player> thePlayer;
};

void BM_CollisionPassWalls(benchmark::State& state) {
    Level level(static_cast<int>(state.range(0)), 0, 0);
    for (auto _ : state) {
        checkCollisions();
        benchmark::DoNotOptimize(blocked);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CollisionPassWalls)->Arg(100)->Arg(1000);

void BM_CollisionPassObjects(benchmark::State& state) {
    // Objects beyond 5 units are only measured; near ones are asked (with no
    // triangle work here), so the figure is the pass's own overhead.
    Level level(0, static_cast<int>(state.range(0)), static_cast<float>(state.range(1)));
    for (auto _ : state) {
        checkCollisions();
        benchmark::DoNotOptimize(dead);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CollisionPassObjects)->Args({200, 20})->Args({200, 1});

void BM_MovementStep(benchmark::State& state) {
    Level level(0, 0, 0);
    keyForward = keyTurnLeft = keyStrafeLeft = true;
    for (auto _ : state) {
        advanceGame(0.001f);
        benchmark::DoNotOptimize(camera.offset);
    }
    releaseHeldKeys();
}
BENCHMARK(BM_MovementStep);
}  // namespace
