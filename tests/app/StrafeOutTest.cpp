// Strafing is never blocked, so the walls of a level cannot keep a player in:
// whoever strafes off the route must end where he can walk on, or fall and
// die. On the shipped levels, walkways between walls over the abyss, every
// strafe long enough to cross a floor must end in a fall or a death.
//
// Each walkthrough is played once, with the game's own frames; every two
// seconds of it the player's place, heading and jump are noted. Then, from
// each noted place, the player strafes left and right until he dies. Only the
// objects' phases differ from the walkthrough's own moment: strafing past a
// moving blade may kill or not, and either way he dies. CTest runs one level
// per process (strafe_out.N).
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "GlTestContext.h"
#include "InDataDirectory.h"
#include "Walkthrough.h"
#include "app/Frame.h"
#include "app/InputTrack.h"
#include "app/KeyNames.h"
#include "game/Camera.h"
#include "game/GameState.h"
#include "game/Input.h"
#include "game/LevelEntry.h"
#include "game/Movement.h"
#include "game/SceneFrame.h"
#include "level/LevelLoader.h"
#include "level/Scene.h"
#include "scene/Placement.h"
#include "scene/Player.h"

namespace {
constexpr float probeSpacing = 2;   // seconds of the route between two strafes
constexpr float strafeSeconds = 8;  // 32 units: more than any floor is wide
constexpr float frameTime = 1 / 64.0f;

// What the walkthrough had made of the player at one moment.
struct RoutePoint {
    float time = 0;
    Vector3 offset;
    float yaw = 0, pitch = 0;
    bool jumpRequested = false, jumpRising = false;
    float jumpTimer = 0, jumpHeight = 0;
};

RoutePoint notePoint(float time) {
    RoutePoint point;
    point.time = time;
    point.offset = camera.offset;
    point.yaw = camera.yaw;
    point.pitch = camera.pitch;
    point.jumpRequested = jumpRequested;
    point.jumpRising = player->jumpRising;
    point.jumpTimer = player->jumpTimer;
    point.jumpHeight = player->jumpHeight;
    return point;
}

void standAt(const RoutePoint& point) {
    resetGameStateForLoad();
    releaseHeldKeys();
    camera.offset = point.offset;
    camera.yaw = point.yaw;
    camera.pitch = point.pitch;
    camera.matrixValid = false;
    jumpRequested = point.jumpRequested;
    player->jumpRising = point.jumpRising;
    player->jumpTimer = point.jumpTimer;
    player->jumpHeight = point.jumpHeight;
}

// Plays the level's walkthrough up to its exit and notes where the player was
// every `probeSpacing` seconds.
std::vector<RoutePoint> walkRoute(int level) {
    const InputTrack track = readWalkthrough(level);

    std::vector<RoutePoint> points;
    float time = 0, nextPoint = 0;
    std::size_t nextKey = 0;
    for (std::size_t frame = 0; frame < track.frameTimes.size(); ++frame) {
        deliverKeysDue(track, frame, nextKey);
        if (time >= nextPoint) {
            points.push_back(notePoint(time));
            nextPoint += probeSpacing;
        }
        runFrame(track.frameTimes[frame]);
        time += track.frameTimes[frame];
        EXPECT_FALSE(dead || falling) << "the walkthrough itself dies at " << time << " s";
        if (currentLevel != level || dead || falling) break;
    }
    EXPECT_NE(currentLevel, level) << "the walkthrough ends before its exit";
    releaseHeldKeys();
    return points;
}

// The level model's floor: its level triangles at ground height, on the ground plane.
struct FloorTriangle {
    float x[3], z[3];
};

std::vector<FloorTriangle> levelFloor() {
    std::vector<FloorTriangle> floor;
    if (!levelObject) return floor;
    const Matrix4 placement = placementMatrix(*levelObject);
    for (const Mesh& mesh : levelObject->model.meshes) {
        for (const Triangle& triangle : mesh.triangles) {
            Vector3 corner[3];
            bool atGround = true;
            for (int i = 0; i < 3; ++i) {
                const Vertex& v = mesh.vertices[static_cast<std::size_t>(triangle.vertexIndices[i])];
                corner[i] = placement.transformPoint(v.x, v.y, v.z);
                atGround = atGround && std::fabs(corner[i].y) < 0.05f;
            }
            if (atGround) {
                floor.push_back(
                    FloorTriangle{{corner[0].x, corner[1].x, corner[2].x}, {corner[0].z, corner[1].z, corner[2].z}});
            }
        }
    }
    return floor;
}

bool onFloor(const std::vector<FloorTriangle>& floor, float x, float z) {
    for (const FloorTriangle& t : floor) {
        float side[3];
        for (int i = 0; i < 3; ++i) {
            const int j = (i + 1) % 3;
            side[i] = (t.x[j] - t.x[i]) * (z - t.z[i]) - (t.z[j] - t.z[i]) * (x - t.x[i]);
        }
        const bool allNonNegative = side[0] >= 0 && side[1] >= 0 && side[2] >= 0;
        const bool allNonPositive = side[0] <= 0 && side[1] <= 0 && side[2] <= 0;
        if (allNonNegative || allNonPositive) return true;
    }
    return false;
}

// True when Up or Down would move the player: a step the movement block lets through.
bool canWalk() {
    return !blocked || !stepRefused(true, camera.yaw, blockAxis, blockSign) ||
           !stepRefused(false, camera.yaw, blockAxis, blockSign);
}

// Strafes from `point` to one side until the player dies. At every moment of
// the strafe, a player who let go of the key there would have to stand on the
// level's floor and be able to walk on, or be falling already (or be in the
// air, jumping).
::testing::AssertionResult strafeEndsInDeath(int level, const std::vector<FloorTriangle>& floor,
                                             const RoutePoint& point, char side) {
    if (currentLevel != level) enterLevel(level, Arrival::AtStart);
    standAt(point);
    GameKey key{false, side};
    deliverKey(key, true);
    int frames = 0;
    bool stranded = false;
    for (; frames < strafeSeconds / frameTime && !dead && currentLevel == level; ++frames) {
        runFrame(frameTime);
        const bool standing = !falling && !dead && !jumpRequested && currentLevel == level;
        if (standing && (!canWalk() || !onFloor(floor, -camera.offset.x, -camera.offset.z))) {
            stranded = true;
            break;
        }
    }
    deliverKey(key, false);
    // Through a doorway is out of the level too.
    if (!stranded && (dead || currentLevel != level)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (stranded ? "stranded" : "alive") << " at (" << -camera.offset.x << ", "
                                         << -camera.offset.z << ") after " << frames << " frames"
                                         << (falling ? ", falling" : "");
}

void strafeOutAlongRoute(int level) {
    ensureGlContext(64, 48);
    InDataDirectory data;
    currentLevel = level;
    startScene();
    const std::vector<FloorTriangle> floor = levelFloor();
    ASSERT_FALSE(floor.empty());
    const std::vector<RoutePoint> points = walkRoute(level);
    ASSERT_GE(points.size(), 10u) << "a walkthrough lasts 30 s or more";

    for (const RoutePoint& point : points) {
        for (const char side : {',', '.'}) {
            EXPECT_TRUE(strafeEndsInDeath(level, floor, point, side))
                << "level " << level << ", " << point.time << " s into the walkthrough at (" << -point.offset.x << ", "
                << -point.offset.z << ") heading " << point.yaw << ", strafing '" << side << "'";
        }
    }
    standAt(RoutePoint{});
}
}  // namespace

TEST(StrafeOut, Level1) { strafeOutAlongRoute(1); }
TEST(StrafeOut, Level2) { strafeOutAlongRoute(2); }
TEST(StrafeOut, Level3) { strafeOutAlongRoute(3); }
