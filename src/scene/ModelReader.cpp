#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/Paths.h"
#include "platform/ScanLine.h"
#include "platform/TextLines.h"
#include "scene/Model.h"
#include "surfaces/Texture.h"

namespace {

// Lines are read into 256 bytes, so a longer line arrives as several lines.
constexpr int lineSize = 256;
// Counts in the file are promises only: arrays grow with the lines really there.
constexpr int reserveLimit = 1024;
// The collision library takes the triangle count as a sizing hint; keep it sane.
constexpr int triangleHintLimit = 65536;

// Reads the model file in pieces of at most 255 characters, one line or part
// of a line each. It remembers what the caller wants there, so that a block
// that fails can say where it stopped.
class PieceReader {
public:
    explicit PieceReader(std::unique_ptr<std::FILE, FileCloser> file)
        : lines_(std::move(file), {.maxLength = lineSize - 1, .overlong = TextLines::Overlong::Split}) {}

    // The next piece between blocks; false at the end of the file.
    bool next() {
        expected = "";
        if (!lines_.next(piece_)) return false;
        keepLineFeed();
        return true;
    }
    // The next piece a block still needs; TextLines::Ended at the end of the file.
    const char* need(const char* what) {
        expected = what;
        piece_ = lines_.need();
        keepLineFeed();
        return piece_.c_str();
    }

    const char* line() const { return piece_.c_str(); }
    // Of the piece read last, counted from 1.
    int lineNumber() const { return lines_.lineNumber(); }
    const char* expected = "";

private:
    // The pieces were once read with fgets, which keeps the line feed: a name
    // whose closing quote is missing still ends with it.
    void keepLineFeed() {
        if (lines_.lineEnded()) piece_ += '\n';
    }

    TextLines lines_;
    std::string piece_;
};

// Runs `read` on a model's collision model and finalises it however the reading
// ends, so that a mesh cut short can still be tested on what was read.
template <typename Read>
bool readFinalised(CollisionModel3D* collision, Read&& read) {
    bool ok = false;
    try {
        ok = read();
    } catch (const TextLines::Ended&) {
        if (collision) collision->finalize();
        throw;
    }
    if (collision) collision->finalize();
    return ok;
}

int reserveSize(int count) { return std::min(count, reserveLimit); }

bool validIndex(int index, std::size_t size) { return index >= 0 && static_cast<std::size_t>(index) < size; }

// A negative count is as malformed as a missing one.
bool readCount(PieceReader& in, int& count, const char* what) {
    return scanLine(in.need(what), "%d", &count) == 1 && count >= 0;
}

// The text between the first pair of quotes; false when there is none or it is empty.
bool parseQuoted(const char* line, std::string& out) {
    char text[lineSize];
    if (std::sscanf(line, "\"%255[^\"]\"", text) != 1) return false;
    out = text;
    return true;
}

bool readVertices(PieceReader& in, std::vector<Vertex>& vertices) {
    int count = 0;
    if (!readCount(in, count, "the vertex count (a number of 0 or more)")) return false;
    vertices.reserve(reserveSize(count));
    for (int i = 0; i < count; ++i) {
        Vertex vertex;
        int flags = 0;
        if (scanLine(in.need("a vertex \"flags x y z u v bone\""), "%d %f %f %f %f %f %d", &flags, &vertex.x, &vertex.y,
                     &vertex.z, &vertex.u, &vertex.v, &vertex.boneIndex) != 7)
            return false;
        vertex.v = 1 - vertex.v;
        vertices.push_back(vertex);
    }
    return true;
}

// A triangle whose indices name no vertex (or no normal, when normals were
// read) is as malformed as a missing field: it would be drawn from outside its mesh.
bool readTriangle(PieceReader& in, Triangle& triangle, std::size_t vertexCount, const std::size_t* normalCount) {
    int flags = 0, smoothingGroup = 0;
    int* v = triangle.vertexIndices;
    int* n = triangle.normalIndices;
    if (scanLine(in.need("a triangle \"flags v1 v2 v3 n1 n2 n3 group\""), "%d %d %d %d %d %d %d %d", &flags, &v[0],
                 &v[1], &v[2], &n[0], &n[1], &n[2], &smoothingGroup) != 8)
        return false;
    for (int corner = 0; corner < 3; ++corner) {
        in.expected = "vertex indices below the mesh's vertex count";
        if (!validIndex(v[corner], vertexCount)) return false;
        in.expected = "normal indices below the mesh's normal count";
        if (normalCount && !validIndex(n[corner], *normalCount)) return false;
    }
    return true;
}

void addCorners(CollisionModel3D& model, const std::vector<Vertex>& vertices, const Triangle& triangle) {
    model.addTriangle(&vertices[triangle.vertexIndices[0]].x, &vertices[triangle.vertexIndices[1]].x,
                      &vertices[triangle.vertexIndices[2]].x);
}

bool readMeshBody(PieceReader& in, Mesh& mesh) {
    if (!readVertices(in, mesh.vertices)) return false;

    int normalCount = 0;
    if (!readCount(in, normalCount, "the normal count (a number of 0 or more)")) return false;
    mesh.normals.reserve(reserveSize(normalCount));
    for (int i = 0; i < normalCount; ++i) {
        std::array<float, 3> normal{};
        if (scanLine(in.need("a normal \"x y z\""), "%f %f %f", &normal[0], &normal[1], &normal[2]) != 3) return false;
        mesh.normals.push_back(normal);
    }

    int triangleCount = 0;
    if (!readCount(in, triangleCount, "the triangle count (a number of 0 or more)")) return false;
    mesh.triangles.reserve(reserveSize(triangleCount));
    if (mesh.hasCollision) mesh.collisionModel->setTriangleCount(std::min(triangleCount, triangleHintLimit));
    const std::size_t normalsRead = mesh.normals.size();
    for (int i = 0; i < triangleCount; ++i) {
        Triangle triangle;
        if (!readTriangle(in, triangle, mesh.vertices.size(), &normalsRead)) return false;
        mesh.triangles.push_back(triangle);
        // The static model keeps the positions as written, before any bone moves them.
        if (mesh.hasCollision) addCorners(*mesh.collisionModel, mesh.vertices, triangle);
    }
    return true;
}

// The collision-only mesh: its normals are skipped unread.
bool readBoundingBox(PieceReader& in, CollisionModel3D& model) {
    std::vector<Vertex> vertices;
    if (!readVertices(in, vertices)) return false;

    int normalCount = 0;
    if (!readCount(in, normalCount, "the normal count (a number of 0 or more)")) return false;
    for (int i = 0; i < normalCount; ++i) {
        in.need("a normal line");
    }

    int triangleCount = 0;
    if (!readCount(in, triangleCount, "the triangle count (a number of 0 or more)")) return false;
    model.setTriangleCount(std::min(triangleCount, triangleHintLimit));
    for (int i = 0; i < triangleCount; ++i) {
        Triangle triangle;
        if (!readTriangle(in, triangle, vertices.size(), nullptr)) return false;
        addCorners(model, vertices, triangle);
    }
    return true;
}

// The "BoundingBox" mesh takes no slot, wherever it stands, so the drawable
// meshes are always slots 0 to meshCount - 1 without a gap.
bool readMeshes(PieceReader& in, Model& model, int count) {
    model.meshes.clear();
    model.meshMaterial.clear();
    model.meshCount = 0;
    for (int i = 0; i < count; ++i) {
        char name[lineSize];
        int flags = 0, material = -1;
        if (scanLine(in.need("a mesh header \"\\\"name\\\" flags material\""), "\"%255[^\"]\" %d %d", name, &flags,
                     &material) != 3)
            return false;

        if (std::strcmp(name, "BoundingBox") == 0) {
            model.boundingModel.reset();
            model.boundingModel = makeCollisionModel();
            CollisionModel3D& box = *model.boundingModel;
            if (!readFinalised(&box, [&] { return readBoundingBox(in, box); })) return false;
            continue;
        }

        Mesh& mesh = model.meshes.emplace_back();
        mesh.name = name;
        model.meshMaterial.push_back(material);
        model.meshCount = static_cast<int>(model.meshes.size());
        if (model.buildCollision) {
            mesh.hasCollision = true;
            mesh.collisionModel = makeCollisionModel();
        }
        if (!readFinalised(mesh.collisionModel.get(), [&] { return readMeshBody(in, mesh); })) return false;
    }
    return true;
}

bool readMaterials(PieceReader& in, Model& model, int count) {
    model.materials.clear();
    for (int i = 0; i < count; ++i) {
        std::string name;
        if (!parseQuoted(in.need("a quoted material name"), name)) return false;
        Material& material = model.materials.emplace_back();
        material.mipmapTextures = model.mipmapTextures;
        material.name = name;

        float* colours[] = {material.ambient, material.diffuse, material.specular, material.emissive};
        const char* colourNames[] = {"the ambient colour \"r g b a\"", "the diffuse colour \"r g b a\"",
                                     "the specular colour \"r g b a\"", "the emissive colour \"r g b a\""};
        for (int k = 0; k < 4; ++k) {
            float* c = colours[k];
            if (scanLine(in.need(colourNames[k]), "%f %f %f %f", &c[0], &c[1], &c[2], &c[3]) != 4) return false;
        }
        if (scanLine(in.need("the shininess (a number)"), "%f", &material.shininess) != 1) return false;
        if (scanLine(in.need("the transparency (a number)"), "%f", &material.transparency) != 1) return false;
        // Empty quotes, or no quotes at all, mean no file.
        parseQuoted(in.need("the quoted texture file"), material.textureFile);
        material.textureLine = in.lineNumber();
        parseQuoted(in.need("the quoted alpha map file"), material.alphaMapFile);

        if (!material.textureFile.empty() && model.loadTextures) {
            Texture texture(material.mipmapTextures);
            material.textureId.reset(texture.loadTexture(material.textureFile.c_str()));
            texture.releasePixels();
        }
    }
    return true;
}

bool readKeys(PieceReader& in, std::vector<Key>& keys) {
    int count = 0;
    if (!readCount(in, count, "a key count (a number of 0 or more)")) return false;
    keys.reserve(reserveSize(count));
    for (int i = 0; i < count; ++i) {
        Key key;
        if (scanLine(in.need("a key \"time x y z\""), "%f %f %f %f", &key.time, &key.x, &key.y, &key.z) != 4)
            return false;
        keys.push_back(key);
    }
    return true;
}

bool readBones(PieceReader& in, Model& model, int count) {
    model.bones.clear();
    for (int i = 0; i < count; ++i) {
        std::string name;
        if (!parseQuoted(in.need("a quoted bone name"), name)) return false;
        Bone& bone = model.bones.emplace_back();
        bone.name = name;

        bone.parentName.clear();
        parseQuoted(in.need("the quoted parent bone name"), bone.parentName);

        int flags = 0;
        Vector3& p = bone.restPosition;
        Vector3& r = bone.restRotation;
        if (scanLine(in.need("the rest pose \"flags x y z rx ry rz\""), "%d %f %f %f %f %f %f", &flags, &p.x, &p.y,
                     &p.z, &r.x, &r.y, &r.z) != 7)
            return false;
        if (!readKeys(in, bone.positionKeys) || !readKeys(in, bone.rotationKeys)) return false;
    }
    return true;
}

}  // namespace

Model::Model(bool buildCollision) : buildCollision(buildCollision) {}

void Model::clear() {
    boundingModel.reset();
    frameCount = 0;
    currentFrame = 0;
    meshCount = 0;
    meshes = std::vector<Mesh>();
    meshMaterial = std::vector<int>();
    materials = std::vector<Material>();
    bones = std::vector<Bone>();
    poseScratch_ = std::vector<Vector3>();
}

bool Model::loadModel(const char* path, ModelStop* stop) {
    currentFrame = 0;
    std::unique_ptr<std::FILE, FileCloser> file(openGameFile(path, "r"));
    if (!file) {
        if (stop) *stop = {0, "a readable model file"};
        return false;
    }
    clear();

    // A file without a "Frame:" line starts on the first frame, where every
    // animation of the game begins.
    float startFrame = 1;
    PieceReader in(std::move(file));
    int bonesLine = 0;
    try {
        bool blockOk = true;
        while (blockOk && in.next()) {
            if (std::strncmp(in.line(), "//", 2) == 0) continue;
            int value = 0;
            // "Frames:" is tried before "Frame:" so that the one is never taken for the other.
            if (scanLine(in.line(), "Frames: %d", &value) == 1) {
                frameCount = static_cast<float>(value);
            } else if (scanLine(in.line(), "Frame: %d", &value) == 1) {
                startFrame = static_cast<float>(value);
            } else if (scanLine(in.line(), "Meshes: %d", &value) == 1) {
                blockOk = readMeshes(in, *this, value);
            } else if (scanLine(in.line(), "Materials: %d", &value) == 1) {
                blockOk = readMaterials(in, *this, value);
            } else if (scanLine(in.line(), "Bones: %d", &value) == 1) {
                bonesLine = in.lineNumber();
                blockOk = readBones(in, *this, value);
            }
        }
        if (!blockOk && stop) *stop = {in.lineNumber(), in.expected};
    } catch (const TextLines::Ended&) {
        // Like a malformed block, an unfinished one only ends the reading; it
        // is reported at the file's last line.
        if (stop) *stop = {in.lineNumber(), in.expected, true};
    } catch (const TextLines::ReadError& error) {
        // A read error is no end of file: what was read cannot be trusted.
        clear();
        if (stop) *stop = {error.line, "a readable line"};
        return false;
    }

    // A malformed block only ends the reading; the skeleton still gets ready.
    if (!prepareSkeleton()) {
        if (stop) *stop = {bonesLine, "parent bone names that name bones of this model"};
        return false;
    }
    advanceAnimation(startFrame);
    return true;
}
