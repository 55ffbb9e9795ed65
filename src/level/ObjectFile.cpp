#include "level/ObjectFile.h"
#include "level/ObjectGrid.h"
#include "platform/ScanLine.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "level/LevelLoader.h"
#include "level/LineReader.h"
#include "level/ObjectFileException.h"
#include "level/Scene.h"
#include "scene/AbyssObject.h"
#include "scene/DeathObject.h"
#include "scene/LatticeObject.h"
#include "scene/LevelObject.h"
#include "scene/SwitchObject.h"
#include "scene/WaterAbyssObject.h"

namespace {

void destroyInOrder(std::vector<std::unique_ptr<SceneObject>>& list) {
    for (auto& object : list) object.reset();
    list.clear();
}

void clearScene() {
    objectGrid.clear();
    destroyInOrder(objects);
    destroyInOrder(sortedObjects);
    levelObject.reset();
    levelObject = std::make_unique<LevelObject>(true);
}

const BlockKind blockKinds[] = {BlockKind::Level,       BlockKind::AbyssObject,   BlockKind::WaterAbyssObject,
                                BlockKind::DeathObject, BlockKind::LatticeObject, BlockKind::SwitchObject};

void readModelName(LineReader& reader, ObjectBlock& block) {
    WordBuffer word = {};
    if (std::sscanf(reader.need().c_str(), "%40s", word) < 1) {
        throw ObjectFileException("Kein Filename angegeben.", "the name of a model file under models/");
    }
    requireShortWord(word, "a model file name");
    block.modelName = word;
    block.modelLine = reader.lineNumber();
}

// The word of a "static=" or "animated=" line: true when it is exactly "yes".
bool readYesWord(LineReader& reader, const char* format, const char* what) {
    WordBuffer word = {};
    requireFields(std::sscanf(reader.need().c_str(), format, word), 1, what);
    requireShortWord(word, what);
    return std::strcmp(word, "yes") == 0;
}

void readVector(LineReader& reader, const char* format, Vector3& v, const char* what) {
    requireFields(std::sscanf(reader.need().c_str(), format, &v.x, &v.y, &v.z), 3, what);
}

void readPlacement(LineReader& reader, ObjectBlock& block) {
    readVector(reader, "Translation=%f %f %f", block.position, "\"Translation=x y z\"");
    readVector(reader, "RTranslation=%f %f %f", block.pivot, "\"RTranslation=x y z\"");
    requireFields(
        std::sscanf(reader.need().c_str(), "Rotation=%f %f %f", &block.rotationX, &block.rotationY, &block.rotationZ),
        3, "\"Rotation=x y z\"");
    readVector(reader, "Scaling=%f %f %f", block.scale, "\"Scaling=x y z\"");
}

// The fps line, the segment count and the segment lines. The count is not
// trusted: entries are added as their lines arrive.
void readAnimation(LineReader& reader, ObjectBlock& block) {
    if (block.kind == BlockKind::DeathObject) {
        requireFields(scanLine(reader.need().c_str(), "fps=%d", &block.fps), 1, "\"fps=frames per second\"");
    } else {
        requireFields(scanLine(reader.need().c_str(), "%d", &block.fps), 1, "a frame rate (a number)");
    }
    requireFields(scanLine(reader.need().c_str(), "%d", &block.segmentCount), 1, "a segment count (a number)");

    const int count = block.segmentCount;
    for (int i = 0; i < count; ++i) {
        int start = 0;
        requireFields(scanLine(reader.need().c_str(), "%d", &start), 1, "a segment start frame (a number)");
        block.segmentStart.push_back(start);
    }
    for (int i = 0; i + 1 < count; ++i) {
        float speed = 0;
        requireFields(std::sscanf(reader.need().c_str(), "%f", &speed), 1, "a segment speed (a number)");
        block.segmentSpeeds.push_back(speed);
    }
}

void readBlockLines(LineReader& reader, ObjectBlock& block) {
    switch (block.kind) {
        case BlockKind::Level:
        case BlockKind::AbyssObject:
        case BlockKind::WaterAbyssObject:
            readModelName(reader, block);
            // Read and required, but these always build their collision models.
            block.staticYes = readYesWord(reader, "static=%40s", "\"static=yes\" or \"static=no\"");
            break;
        case BlockKind::DeathObject:
            readModelName(reader, block);
            block.staticYes = readYesWord(reader, "static=%40s", "\"static=yes\" or \"static=no\"");
            block.animatedYes = readYesWord(reader, "animated=%40s", "\"animated=yes\" or \"animated=no\"");
            requireFields(std::sscanf(reader.need().c_str(), "Startframe=%f", &block.startFrame), 1,
                          "\"Startframe=frame\"");
            break;
        case BlockKind::LatticeObject: {
            char axis = 0;
            requireFields(scanLine(reader.need().c_str(), "%c %d", &axis, &block.blockSign), 2,
                          "the block axis and sign, \"x 1\" or \"z -1\"");
            block.axisLine = reader.lineNumber();
            if (axis == 'x') {
                block.blockAxis = 0;
            } else if (axis == 'z') {
                block.blockAxis = 2;
            } else {
                throw ObjectFileException("Fehler.", "the block axis x or z at the start of the line");
            }
            requireFields(std::sscanf(reader.need().c_str(), "Up=%f", &block.upStep), 1, "\"Up=step\"");
            break;
        }
        case BlockKind::SwitchObject:
            requireFields(std::sscanf(reader.need().c_str(), "%f", &block.pressDistance), 1,
                          "the press distance (a number)");
            requireFields(scanLine(reader.need().c_str(), "%d", &block.pressAxis), 1,
                          "the press axis (1 = x, 2 = y, 3 = z)");
            break;
    }
    readPlacement(reader, block);
    readAnimation(reader, block);
}

void loadBlockModel(Model& model, const ObjectBlock& block) {
    model.mipmapTextures = mipmapEnabled;
    const std::string path = "./models/" + block.modelName;
    if (!model.loadModel(path.c_str())) {
        // Whatever a failed load left behind is no model.
        model.clear();
        ObjectFileException error("Fehler", "a model file that loads");
        error.line = block.modelLine;
        throw error;
    }
}

void applyPlacement(const ObjectBlock& block, SceneObject& object) {
    object.position = block.position;
    object.pivot = block.pivot;
    object.rotationX = block.rotationX;
    object.rotationY = block.rotationY;
    object.rotationZ = block.rotationZ;
    object.scale = block.scale;
    object.fps = block.fps;
    object.segmentCount = block.segmentCount;
    object.segmentStart = block.segmentStart;
    object.segmentSpeeds = block.segmentSpeeds;
}

// A second "Level" block starts from an empty model, not on top of the first;
// one that is cut off keeps the values it read and has no model.
void startLevel(const ObjectBlock& block) {
    LevelObject& level = *levelObject;
    level.model.clear();
    level.displayList.reset();
    applyPlacement(block, level);
}

template <typename Object>
std::unique_ptr<Object> buildModelObject(const ObjectBlock& block, std::unique_ptr<Object> object) {
    applyPlacement(block, *object);
    loadBlockModel(object->model, block);
    return object;
}

void buildObject(const ObjectBlock& block) {
    switch (block.kind) {
        case BlockKind::Level:
            startLevel(block);
            loadBlockModel(levelObject->model, block);
            levelObject->compileDisplayList();
            break;
        case BlockKind::AbyssObject: {
            auto object = buildModelObject(block, std::make_unique<AbyssObject>());
            object->compileDisplayList();
            objects.push_back(std::move(object));
            break;
        }
        case BlockKind::WaterAbyssObject:
            sortedObjects.push_back(buildModelObject(block, std::make_unique<WaterAbyssObject>()));
            break;
        case BlockKind::DeathObject: {
            auto object = buildModelObject(block, std::make_unique<DeathObject>(block.staticYes));
            // Still animating from the constructor, so the start frame moves the model
            // whatever "animated=" says.
            if (block.startFrame != 0) object->update(block.startFrame);
            object->animating = block.animatedYes;
            objects.push_back(std::move(object));
            break;
        }
        case BlockKind::LatticeObject: {
            auto object = std::make_unique<LatticeObject>();
            applyPlacement(block, *object);
            object->blockAxis = block.blockAxis;
            object->blockSign = static_cast<short>(block.blockSign);
            object->upStep = block.upStep;
            sortedObjects.push_back(std::move(object));
            break;
        }
        case BlockKind::SwitchObject: {
            auto object = std::make_unique<SwitchObject>();
            applyPlacement(block, *object);
            object->pressDistance = block.pressDistance;
            object->pressAxis = static_cast<short>(block.pressAxis);
            objects.push_back(std::move(object));
            break;
        }
    }
}

}  // namespace

const char* blockKeyword(BlockKind kind) {
    switch (kind) {
        case BlockKind::Level:
            return "Level";
        case BlockKind::AbyssObject:
            return "AbyssObject";
        case BlockKind::WaterAbyssObject:
            return "WaterAbyssObject";
        case BlockKind::DeathObject:
            return "DeathObject";
        case BlockKind::LatticeObject:
            return "LatticeObject";
        case BlockKind::SwitchObject:
            return "SwitchObject";
    }
    return "";
}

bool blockHasModel(BlockKind kind) { return kind != BlockKind::LatticeObject && kind != BlockKind::SwitchObject; }

bool readObjectBlock(LineReader& reader, ObjectBlock& block) {
    std::string line;
    for (;;) {
        if (!reader.next(line)) return false;
        // Only a line that is exactly a keyword opens a block; empty and
        // unknown lines between blocks are skipped.
        for (BlockKind kind : blockKinds) {
            if (line == blockKeyword(kind)) {
                block.kind = kind;
                block.line = reader.lineNumber();
                readBlockLines(reader, block);
                return true;
            }
        }
    }
}

void readObjectFile(const char* path) {
    clearScene();
    LineReader reader(path);
    reader.readBlocks([&] {
        for (;;) {
            ObjectBlock block;
            bool more = false;
            try {
                more = readObjectBlock(reader, block);
            } catch (...) {
                if (block.line != 0 && block.kind == BlockKind::Level) startLevel(block);
                throw;
            }
            if (!more) return;
            buildObject(block);
        }
    });
}
