#pragma once
#include <array>
#include <string>
#include <vector>

#include "scene/Bone.h"
#include "scene/Matrix4.h"
#include "scene/ViewBounds.h"
#include "surfaces/CollisionModelPtr.h"
#include "surfaces/GlNames.h"

struct Vertex {
    float x = 0;  // x, y, z stay consecutive: the collision library reads them as one point
    float y = 0;
    float z = 0;
    float u = 0;
    float v = 0;  // stored as 1 - the file value
    int boneIndex = -1;
};

// Vertex and normal indices are checked against their mesh when read.
struct Triangle {
    int vertexIndices[3] = {0, 0, 0};
    int normalIndices[3] = {0, 0, 0};
};

struct Mesh {
    std::string name;
    bool hasCollision = false;
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<std::array<float, 3>> normals;
    CollisionModelPtr collisionModel;
};

struct Material {
    void applyMaterial() const;

    bool mipmapTextures = true;
    std::string name;
    float ambient[4] = {0, 0, 0, 0};
    float diffuse[4] = {0, 0, 0, 0};
    float specular[4] = {0, 0, 0, 0};
    float emissive[4] = {0, 0, 0, 0};
    float shininess = 0;
    float transparency = 0;
    std::string textureFile;
    int textureLine = 0;  // where the file names it, for zarnoth-check
    std::string alphaMapFile;
    TextureName textureId;  // deleted with the material
};

// Where the reading of a model file stopped early and what it expected
// there. The game never shows it; zarnoth-check does.
struct ModelStop {
    int line = 0;  // 0: the file could not be opened
    std::string expected;
    bool atEnd = false;  // the file ended where that was expected
};

// A model read from an ASCII model file: meshes, materials, bones, key frames.
// Its operations live by concern: ModelReader.cpp reads it, Skeleton.cpp
// poses its bones, MeshDrawing.cpp draws it, MeshCollision.cpp builds its
// collision models.
class Model {
public:
    explicit Model(bool buildCollision);

    // False only for a file that cannot be read or a bone whose parent is missing.
    // Starts from a clean model whatever it held before.
    // `stop`, when given, learns where a block failed or why the load did.
    bool loadModel(const char* path, ModelStop* stop = nullptr);
    // Back to the state of a new model (keeps buildCollision and mipmapTextures).
    void clear();

    bool prepareSkeleton();
    void poseBone(Bone& bone, float frame);
    void advanceAnimation(float frames);
    // The two halves of advanceAnimation: the frame number, then the bones' pose at it.
    void advanceFrame(float frames);
    void poseAtCurrentFrame();
    // Whether every bone comes after its parent: then a pose depends on the
    // frame alone. A bone listed first takes its parent's pose of the frame before.
    bool bonesParentFirst() const;
    void advanceAnimationRange(float frames, float first, float last);
    Vector3 skinnedPosition(const Vertex& vertex) const;

    // The collision model of one drawable mesh: the static one, or one rebuilt
    // from the current pose.
    CollisionModel3D* meshCollisionModel(int meshIndex);
    void drawMeshes() const;
    // Notes the GL state drawMeshes leaves that a later draw may take over.
    void noteDrawnState(StateLeft& state) const;

    CollisionModelPtr boundingModel;
    bool mipmapTextures = true;
    bool loadTextures = true;  // false: materials keep their file names and make no texture
    float frameCount = 0;
    float currentFrame = 0;
    bool buildCollision;
    int meshCount = 0;  // drawable meshes: slots 0 .. meshCount - 1, never more than meshes holds
    std::vector<Mesh> meshes;
    std::vector<int> meshMaterial;  // per slot; negative or unknown = no material
    std::vector<Material> materials;
    std::vector<Bone> bones;

private:
    // Skinned positions of one mesh, reused by every per-pose collision build.
    std::vector<Vector3> poseScratch_;
};
