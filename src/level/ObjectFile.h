#pragma once
#include <string>
#include <vector>

#include "scene/Matrix4.h"

class LineReader;

// The blocks of a level object file; each is opened by a line holding just its keyword.
enum class BlockKind { Level, AbyssObject, WaterAbyssObject, DeathObject, LatticeObject, SwitchObject };

const char* blockKeyword(BlockKind kind);
// Level, AbyssObject, WaterAbyssObject and DeathObject name a model file.
bool blockHasModel(BlockKind kind);

// One block of a level object file as its lines give it, before anything is
// built from it: the game builds scene objects, zarnoth-check only looks.
struct ObjectBlock {
    BlockKind kind = BlockKind::Level;
    int line = 0;  // the keyword line

    std::string modelName;  // the word of the model line, under ./models/
    int modelLine = 0;
    bool staticYes = false;    // "static=yes"
    bool animatedYes = false;  // DeathObject: "animated=yes"
    float startFrame = 0;      // DeathObject

    short blockAxis = 0;  // LatticeObject: 0 = x, 2 = z
    int blockSign = 0;    // LatticeObject, as written
    int axisLine = 0;
    float upStep = 0;         // LatticeObject
    float pressDistance = 0;  // SwitchObject
    int pressAxis = 0;        // SwitchObject: 1 = x, 2 = y, 3 = z

    // The placement and animation lines, with a SceneObject's defaults until read.
    Vector3 position;
    Vector3 pivot;
    float rotationX = 0;
    float rotationY = 0;
    float rotationZ = 0;
    Vector3 scale{1, 1, 1};
    int fps = 0;
    int segmentCount = 0;
    std::vector<int> segmentStart;
    std::vector<float> segmentSpeeds;
};

// Reads the next block into `block`; false at the end of the file. Lines
// between blocks that are not a keyword are skipped. A malformed line is an
// ObjectFileException, the end of the file inside a block is FileEnded; in
// both cases `block` keeps what was read.
bool readObjectBlock(LineReader& reader, ObjectBlock& block);

// Reads a level object file into the scene (levelObject, objects,
// sortedObjects), which it clears first. Throws ObjectFileException.
void readObjectFile(const char* path);
