#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "check/Checker.h"
#include "game/Collision.h"
#include "game/SceneFrame.h"
#include "level/ActionFile.h"
#include "level/LevelFormatFile.h"
#include "level/LevelLoader.h"
#include "level/LevelName.h"
#include "level/LineReader.h"
#include "level/ObjectFileException.h"
#include "platform/Paths.h"
#include "scene/InertObject.h"
#include "scene/Placement.h"

namespace {

// A part of an object farther than this from its position can be walked into
// before the object is tested: the player reaches about half a unit.
constexpr float partReach = collisionRange - 0.5f;

bool isPit(BlockKind kind) { return kind == BlockKind::AbyssObject || kind == BlockKind::WaterAbyssObject; }

// A level object as its block gave it: enough for the game's action-file
// reader to link it, and for the checks that follow.
class CheckedObject : public InertObject {
public:
    CheckedObject(const ObjectBlock& block, const Model* model) : block(block), model(model) {
        position = block.position;
    }

    ObjectBlock block;
    const Model* model;  // null for lattices, switches and models that did not load
};

CheckedObject& checked(const std::unique_ptr<SceneObject>& object) { return static_cast<CheckedObject&>(*object); }

// The points whose reach matters: the plate and grille span -1..1, a model its vertices.
std::vector<Vector3> collidingPoints(const CheckedObject& object) {
    std::vector<Vector3> points;
    if (!object.model) {
        for (float x : {-1.0f, 1.0f})
            for (float y : {-1.0f, 1.0f})
                for (float z : {-1.0f, 1.0f}) points.push_back({x, y, z});
        return points;
    }
    for (int i = 0; i < object.model->meshCount; ++i) {
        for (const Vertex& vertex : object.model->meshes[static_cast<std::size_t>(i)].vertices) {
            points.push_back(object.model->skinnedPosition(vertex));
        }
    }
    return points;
}

float farthestPart(const CheckedObject& object) {
    float farthest = 0;
    const Matrix4 placement = placementMatrix(object.block);
    for (const Vector3& point : collidingPoints(object)) {
        const Vector3 placed = placement.transformPoint(point.x, point.y, point.z);
        farthest =
            std::max(farthest, std::hypot(placed.x - object.block.position.x, placed.z - object.block.position.z));
    }
    return farthest;
}

// A column where the player stands at the start of a level, for the collision library.
CollisionModelPtr startColumn() {
    CollisionModelPtr column = makeCollisionModel();
    const float r = playerRadius, low = -2, high = 2;
    column->setTriangleCount(4);
    column->addTriangle(-r, low, 0, r, low, 0, r, high, 0);
    column->addTriangle(-r, low, 0, r, high, 0, -r, high, 0);
    column->addTriangle(0, low, -r, 0, low, r, 0, high, r);
    column->addTriangle(0, low, -r, 0, high, r, 0, high, -r);
    column->finalize();
    return column;
}

bool leadsOutsideModels(const std::string& name) {
    const std::string path = hostPath(name.c_str());
    std::size_t begin = 0;
    while (begin <= path.size()) {
        const std::size_t end = std::min(path.find('/', begin), path.size());
        if (path.compare(begin, end - begin, "..") == 0 && end - begin == 2) return true;
        begin = end + 1;
    }
    return false;
}

struct LevelFiles {
    std::string objectFile, formatFile, actionFile;
};

class LevelCheck {
public:
    LevelCheck(Checker& checker, int level)
        : level_(level),
          checker_(checker),
          report_(checker.report),
          files_{levelFilePath(LevelFile::Objects, level), levelFilePath(LevelFile::Format, level),
                 levelFilePath(LevelFile::Actions, level)} {}

    void run() {
        // What a reader left unread would only bring false alarms in the checks after it.
        const bool objectsComplete = readObjects();
        const bool wallsComplete = readWallFile();
        // Positions in the action file count in lists a broken object file did not finish.
        if (objectsComplete) readActionLinks();
        if (objectsComplete) checker_.checkLevelSounds(level_, kindsOf(objects_), kindsOf(sortedObjects_));
        checkStart();
        if (wallsComplete) checkReach();
    }

private:
    // Where one of the game's readers stopped, and what it expected there.
    void reportStop(const std::string& path, const ObjectFileException& error) {
        const std::string shown = std::string(" (the game shows \"") + error.what() + "\")";
        if (error.line == 0) {
            report_.error(path, 1, "cannot be opened" + shown);
        } else {
            report_.error(path, error.line, "expected " + error.expected + shown);
        }
    }

    bool readObjects() {
        const std::string& path = files_.objectFile;
        std::unique_ptr<LineReader> reader;
        try {
            reader = std::make_unique<LineReader>(path.c_str());
        } catch (const ObjectFileException& error) {
            reportStop(path, error);
            return false;
        }
        ObjectBlock block;
        try {
            const bool cutOff = reader->readBlocks([&] {
                for (;;) {
                    block = ObjectBlock{};
                    if (!readObjectBlock(*reader, block)) return;
                    addObject(block);
                }
            });
            if (cutOff)
                report_.warning(path, reader->lineNumber(),
                                std::string("the file ends inside the ") + blockKeyword(block.kind) +
                                    " block of line " + std::to_string(block.line) + "; the game drops that object");
        } catch (const ObjectFileException& error) {
            reportStop(path, error);
            return false;
        }
        return true;
    }

    void addObject(const ObjectBlock& block) {
        const std::string& path = files_.objectFile;
        const Model* model = nullptr;
        if (blockHasModel(block.kind)) {
            if (leadsOutsideModels(block.modelName)) {
                report_.warning(path, block.modelLine, "model name \"" + block.modelName + "\" leads outside models/");
            }
            model = checker_.checkModel("models/" + hostPath(block.modelName.c_str()), path, block.modelLine);
            const bool needsBox = block.kind == BlockKind::AbyssObject || block.kind == BlockKind::WaterAbyssObject;
            if (model && needsBox && !model->boundingModel) {
                report_.warning(path, block.modelLine,
                                std::string("the ") + blockKeyword(block.kind) + "'s model " + block.modelName +
                                    " has no \"BoundingBox\" mesh, so the player can never touch it");
            }
        }
        if (block.kind == BlockKind::WaterAbyssObject) checker_.checkTexture("texturen/wasser.tga", path, block.line);
        if (block.kind == BlockKind::SwitchObject) checker_.checkTexture("texturen/boden.tga", path, block.line);
        if (block.kind == BlockKind::LatticeObject && block.blockSign != 1 && block.blockSign != -1) {
            report_.warning(
                path, block.axisLine,
                "the lattice's block sign is " + std::to_string(block.blockSign) + "; only +1 and -1 block the player");
        }

        auto object = std::make_unique<CheckedObject>(block, model);
        switch (block.kind) {
            case BlockKind::Level:
                break;
            case BlockKind::AbyssObject:
            case BlockKind::DeathObject:
            case BlockKind::SwitchObject:
                objects_.push_back(std::move(object));
                break;
            case BlockKind::WaterAbyssObject:
            case BlockKind::LatticeObject:
                sortedObjects_.push_back(std::move(object));
                break;
        }
    }

    bool readWallFile() {
        const std::string& path = files_.formatFile;
        int announced = 0;
        try {
            readWalls(path.c_str(), walls_, announced);
        } catch (const ObjectFileException& error) {
            reportStop(path, error);
            return false;
        }
        if (announced > static_cast<int>(walls_.size())) {
            report_.warning(path, 1,
                            "announces " + std::to_string(announced) + " walls but the file holds " +
                                std::to_string(walls_.size()));
        }
        for (std::size_t i = 0; i < walls_.size(); ++i) checkWall(walls_[i], static_cast<int>(i) + 2);
        const bool hasExit =
            std::any_of(walls_.begin(), walls_.end(), [](const Wall& wall) { return wall.nextLevel >= 1; });
        if (!hasExit) report_.warning(path, 1, "the level has no exit");
        return true;
    }

    void checkWall(const Wall& wall, int line) {
        const std::string& path = files_.formatFile;
        if (wall.nextLevel > 3) {
            report_.warning(
                path, line,
                "an exit to level " + std::to_string(wall.nextLevel) + ", outside 1 to 3: the game stays in level 3");
        }
        if (wall.blockSign != 1 && wall.blockSign != -1) {
            report_.warning(
                path, line,
                "the wall's block sign is " + std::to_string(wall.blockSign) + "; only +1 and -1 block the player");
        }
        const float alongX = std::fabs(wall.x2 - wall.x1);
        const float alongZ = std::fabs(wall.z2 - wall.z1);
        if (alongX == 0 && alongZ == 0) {
            report_.warning(path, line, "the wall has no length: it is a single point");
        } else if ((wall.blockAxis == 0 && alongX > alongZ) || (wall.blockAxis == 2 && alongZ > alongX)) {
            report_.warning(path, line,
                            std::string("the wall runs along ") + (alongX > alongZ ? "x" : "z") +
                                " but blocks movement along " + (wall.blockAxis == 0 ? "x" : "z") +
                                "; its axis should be " + (alongX > alongZ ? "z" : "x"));
        }
    }

    void readActionLinks() {
        const std::string& path = files_.actionFile;
        std::vector<LinkBlock> blocks;
        try {
            readLinks(path.c_str(), objects_, sortedObjects_, &blocks);
        } catch (const ObjectFileException& error) {
            reportStop(path, error);
            return;
        }
        for (const LinkBlock& block : blocks) {
            if (block.kind != 'o' && block.kind != 't') {
                report_.warning(
                    path, block.line,
                    std::string("the letter '") + block.kind + "' is neither o nor t; the block links nothing");
            } else if (block.kind == 't' || checked(objects_[static_cast<std::size_t>(block.source)]).block.kind !=
                                                BlockKind::SwitchObject) {
                report_.warning(path, block.line, "the source of these links is not a switch, so they never fire");
            }
        }

        std::vector<const SceneObject*> raised;
        for (const auto& object : objects_) {
            const CheckedObject& source = checked(object);
            if (source.block.kind != BlockKind::SwitchObject) continue;
            if (source.linkedObjects.empty() && source.linkedSortedObjects.empty()) {
                report_.warning(files_.objectFile, source.block.line, "the switch has no links in " + path);
            }
            raised.insert(raised.end(), source.linkedSortedObjects.begin(), source.linkedSortedObjects.end());
        }
        for (const auto& object : sortedObjects_) {
            const CheckedObject& lattice = checked(object);
            if (lattice.block.kind == BlockKind::LatticeObject &&
                std::find(raised.begin(), raised.end(), object.get()) == raised.end()) {
                report_.warning(files_.objectFile, lattice.block.line, "no switch raises this lattice");
            }
        }
    }

    void checkStart() {
        for (std::size_t i = 0; i < walls_.size(); ++i) {
            const Wall& w = walls_[i];
            if (segmentTouchesSphere(w.x1, 0, w.z1, w.x2, 0, w.z2, 0, 0, 0, playerRadius)) {
                report_.warning(files_.formatFile, static_cast<int>(i) + 2,
                                "the level's start at the origin lies inside this wall");
            }
        }
        CollisionModelPtr column = startColumn();
        const Matrix4 identity;
        column->setTransform(identity.data());
        for (const auto* list : {&objects_, &sortedObjects_}) {
            for (const auto& object : *list) {
                const CheckedObject& abyss = checked(object);
                if (!abyss.model || !abyss.model->boundingModel) continue;
                if (abyss.block.kind != BlockKind::AbyssObject && abyss.block.kind != BlockKind::WaterAbyssObject)
                    continue;
                const Matrix4 placement = placementMatrix(abyss.block);
                abyss.model->boundingModel->setTransform(placement.data());
                if (abyss.model->boundingModel->collides(column.get())) {
                    report_.warning(files_.objectFile, abyss.block.line,
                                    "the level's start at the origin lies over this abyss");
                }
            }
        }
    }

    // The player walks within the walls: the rectangle they span, with the start.
    void checkReach() {
        float minX = 0, maxX = 0, minZ = 0, maxZ = 0;
        for (const Wall& w : walls_) {
            minX = std::min({minX, w.x1, w.x2});
            maxX = std::max({maxX, w.x1, w.x2});
            minZ = std::min({minZ, w.z1, w.z2});
            maxZ = std::max({maxZ, w.z1, w.z2});
        }
        for (const auto* list : {&objects_, &sortedObjects_}) {
            for (const auto& object : *list) {
                const CheckedObject& target = checked(object);
                const Vector3& p = target.block.position;
                const float dx = std::max({minX - p.x, 0.0f, p.x - maxX});
                const float dz = std::max({minZ - p.z, 0.0f, p.z - maxZ});
                const std::string kind = blockKeyword(target.block.kind);
                // Pits are meant to lie beyond the walls: strafing is never blocked and
                // bridges run out without walls, so the walls' rectangle does not bound
                // where a player meets a pit.
                if (!isPit(target.block.kind) && std::hypot(dx, dz) >= collisionRange) {
                    report_.warning(files_.objectFile, target.block.line,
                                    "the player can never come within 5 units of this " + kind +
                                        "'s position, so the collision pass never tests it");
                    continue;
                }
                const float farthest = farthestPart(target);
                if (farthest > partReach) {
                    char distance[32];
                    std::snprintf(distance, sizeof distance, "%.2f", farthest);
                    report_.warning(files_.objectFile, target.block.line,
                                    "parts of this " + kind + " lie " + distance +
                                        " units from its position; the collision pass tests it only while the "
                                        "player is within 5 units of its position, so the player walks through them");
                }
            }
        }
    }

    static std::vector<BlockKind> kindsOf(const ObjectList& list) {
        std::vector<BlockKind> kinds;
        for (const auto& object : list) kinds.push_back(checked(object).block.kind);
        return kinds;
    }

    int level_;
    Checker& checker_;
    Report& report_;
    LevelFiles files_;
    ObjectList objects_;
    ObjectList sortedObjects_;
    std::vector<Wall> walls_;
};

}  // namespace

void Checker::checkLevel(int level) {
    LevelCheck(*this, level).run();
    checkLevelName(level);
}

void Checker::checkLevelName(int level) {
    const LevelName read = readLevelName(level);
    std::string problem;
    switch (read.status) {
        case LevelName::Status::Read:
        case LevelName::Status::Missing:  // a level without a name shows its number
            return;
        case LevelName::Status::Unreadable:
            problem = "cannot be read";
            break;
        case LevelName::Status::Empty:
            problem = "the first line, the level's name, is empty";
            break;
        case LevelName::Status::TooLong:
            problem = "the level's name has " + std::to_string(read.length) + " characters, more than the " +
                      std::to_string(maxLevelNameLength) + " a name may have";
            break;
        case LevelName::Status::NotPrintable:
            problem = "the level's name holds a character other than printable ASCII at column " +
                      std::to_string(read.column);
            break;
    }
    report.warning(levelNamePath(level), 1,
                   problem + " (the game shows \"" + levelTitle(level, {}) + "\" without a name)");
}

std::string firstLevelError(int level) {
    Report report;
    Checker checker(report);
    checker.checkLevel(level);
    return report.firstError();
}
