#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/Globals.h"
#include "level/LevelLoader.h"
#include "level/LineReader.h"
#include "level/ObjectFileException.h"
#include "level/Scene.h"
#include "scene/AbyssObject.h"
#include "scene/DeathObject.h"
#include "scene/LevelObject.h"
#include "surfaces/LatticeObject.h"
#include "surfaces/SwitchObject.h"
#include "surfaces/WaterAbyssObject.h"

namespace {

void destroyInOrder(std::vector<std::unique_ptr<SceneObject>>& list) {
    for (auto& object : list) object.reset();
    list.clear();
}

void clearScene() {
    destroyInOrder(objects);
    destroyInOrder(sortedObjects);
    levelObject.reset();
    levelObject = std::make_unique<LevelObject>(true);
}

std::string readModelName(LineReader& reader) {
    WordBuffer word = {};
    if (std::sscanf(reader.need().c_str(), "%40s", word) < 1) {
        throw ObjectFileException("Kein Filename angegeben.");
    }
    requireShortWord(word);
    return word;
}

// The word of a "static=" or "animated=" line: true when it is exactly "yes".
bool readStaticYes(LineReader& reader) {
    WordBuffer word = {};
    requireFields(std::sscanf(reader.need().c_str(), "static=%40s", word), 1);
    requireShortWord(word);
    return std::strcmp(word, "yes") == 0;
}

bool readAnimatedYes(LineReader& reader) {
    WordBuffer word = {};
    requireFields(std::sscanf(reader.need().c_str(), "animated=%40s", word), 1);
    requireShortWord(word);
    return std::strcmp(word, "yes") == 0;
}

void readVector(LineReader& reader, const char* format, Vector3& v) {
    requireFields(std::sscanf(reader.need().c_str(), format, &v.x, &v.y, &v.z), 3);
}

void readPlacement(LineReader& reader, SceneObject& object) {
    readVector(reader, "Translation=%f %f %f", object.position);
    readVector(reader, "RTranslation=%f %f %f", object.pivot);
    requireFields(std::sscanf(reader.need().c_str(), "Rotation=%f %f %f", &object.rotationX, &object.rotationY,
                              &object.rotationZ),
                  3);
    readVector(reader, "Scaling=%f %f %f", object.scale);
}

enum class FpsLine { Plain, Prefixed };

// The fps line, the segment count and the segment lines. The count is not
// trusted: entries are added as their lines arrive.
void readAnimation(LineReader& reader, SceneObject& object, FpsLine fpsLine) {
    const char* fpsFormat = fpsLine == FpsLine::Prefixed ? "fps=%d" : "%d";
    requireFields(std::sscanf(reader.need().c_str(), fpsFormat, &object.fps), 1);
    requireFields(std::sscanf(reader.need().c_str(), "%d", &object.segmentCount), 1);

    object.segmentStart.clear();
    object.segmentSpeeds.clear();
    const int count = object.segmentCount;
    for (int i = 0; i < count; ++i) {
        int start = 0;
        requireFields(std::sscanf(reader.need().c_str(), "%d", &start), 1);
        object.segmentStart.push_back(start);
    }
    for (int i = 0; i + 1 < count; ++i) {
        float speed = 0;
        requireFields(std::sscanf(reader.need().c_str(), "%f", &speed), 1);
        object.segmentSpeeds.push_back(speed);
    }
}

void loadBlockModel(Model& model, const std::string& name) {
    model.mipmapTextures = mipmapEnabled;
    const std::string path = "./models/" + name;
    if (!model.loadModel(path.c_str())) {
        // Whatever a failed load left behind is no model.
        model.clear();
        throw ObjectFileException("Fehler");
    }
}

void readLevelBlock(LineReader& reader) {
    LevelObject& level = *levelObject;
    // A second "Level" block starts from an empty model, not on top of the first.
    level.model.clear();
    level.displayList.reset();

    const std::string name = readModelName(reader);
    readStaticYes(reader);  // the level always builds its collision models
    readPlacement(reader, level);
    readAnimation(reader, level, FpsLine::Plain);
    loadBlockModel(level.model, name);
    level.compileDisplayList();
}

template <typename Object>
std::unique_ptr<Object> readAbyssBlock(LineReader& reader) {
    const std::string name = readModelName(reader);
    readStaticYes(reader);  // abysses always build their collision models
    auto object = std::make_unique<Object>();
    readPlacement(reader, *object);
    readAnimation(reader, *object, FpsLine::Plain);
    loadBlockModel(object->model, name);
    return object;
}

std::unique_ptr<DeathObject> readDeathBlock(LineReader& reader) {
    const std::string name = readModelName(reader);
    auto object = std::make_unique<DeathObject>(readStaticYes(reader));
    const bool animated = readAnimatedYes(reader);
    float startFrame = 0;
    requireFields(std::sscanf(reader.need().c_str(), "Startframe=%f", &startFrame), 1);
    readPlacement(reader, *object);
    readAnimation(reader, *object, FpsLine::Prefixed);
    loadBlockModel(object->model, name);

    // Still animating from the constructor, so the start frame moves the model
    // whatever "animated=" says.
    if (startFrame != 0) object->update(startFrame);
    object->animating = animated;
    return object;
}

std::unique_ptr<LatticeObject> readLatticeBlock(LineReader& reader) {
    auto object = std::make_unique<LatticeObject>();
    char axis = 0;
    int sign = 0;
    requireFields(std::sscanf(reader.need().c_str(), "%c %d", &axis, &sign), 2);
    if (axis == 'x') {
        object->blockAxis = 0;
    } else if (axis == 'z') {
        object->blockAxis = 2;
    } else {
        throw ObjectFileException("Fehler.");
    }
    object->blockSign = static_cast<short>(sign);
    requireFields(std::sscanf(reader.need().c_str(), "Up=%f", &object->upStep), 1);
    readPlacement(reader, *object);
    readAnimation(reader, *object, FpsLine::Plain);
    return object;
}

std::unique_ptr<SwitchObject> readSwitchBlock(LineReader& reader) {
    auto object = std::make_unique<SwitchObject>();
    requireFields(std::sscanf(reader.need().c_str(), "%f", &object->pressDistance), 1);
    int axis = 0;
    requireFields(std::sscanf(reader.need().c_str(), "%d", &axis), 1);
    object->pressAxis = static_cast<short>(axis);
    readPlacement(reader, *object);
    readAnimation(reader, *object, FpsLine::Plain);
    return object;
}

}  // namespace

void readObjectFile(const char* path) {
    clearScene();
    LineReader reader(path);
    std::string line;
    try {
        while (reader.next(line)) {
            if (line == "WaterAbyssObject") {
                sortedObjects.push_back(readAbyssBlock<WaterAbyssObject>(reader));
            } else if (line == "AbyssObject") {
                auto object = readAbyssBlock<AbyssObject>(reader);
                object->compileDisplayList();
                objects.push_back(std::move(object));
            } else if (line == "LatticeObject") {
                sortedObjects.push_back(readLatticeBlock(reader));
            } else if (line == "SwitchObject") {
                objects.push_back(readSwitchBlock(reader));
            } else if (line == "Level") {
                readLevelBlock(reader);
            } else if (line == "DeathObject") {
                objects.push_back(readDeathBlock(reader));
            }
            // Empty and unknown lines between blocks are skipped.
        }
    } catch (const FileEnded&) {
    }
}
