#include <cstdio>
#include <fstream>
#include <string>

#include "check/Checker.h"
#include "platform/Paths.h"
#include "surfaces/Texture.h"

namespace {

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// The line of `path` where `needle` first occurs, to point at a name the
// model reader keeps without its line; 1 when it is not found.
int lineOfText(const std::string& path, const std::string& needle) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.find(needle) != std::string::npos) return number;
    }
    return 1;
}

void warnLongName(Checker& checker, const std::string& path, const char* what, const std::string& name,
                  std::size_t limit) {
    if (name.size() <= limit) return;
    checker.report.warning(path, lineOfText(path, "\"" + name + "\""),
                           std::string(what) + " \"" + name + "\" is longer than the " + std::to_string(limit) +
                               " characters the format allows");
}

// Faces are culled by their winding and lit by their normals: the two must
// agree. Judged on meshes without bones, whose positions stay as written.
void checkWinding(Checker& checker, const std::string& path, const Mesh& mesh) {
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i) {
        const Triangle& t = mesh.triangles[i];
        const Vertex* v[3];
        for (int corner = 0; corner < 3; ++corner) v[corner] = &mesh.vertices[std::size_t(t.vertexIndices[corner])];
        if (v[0]->boneIndex >= 0 || v[1]->boneIndex >= 0 || v[2]->boneIndex >= 0) return;
        const float ax = v[1]->x - v[0]->x, ay = v[1]->y - v[0]->y, az = v[1]->z - v[0]->z;
        const float bx = v[2]->x - v[0]->x, by = v[2]->y - v[0]->y, bz = v[2]->z - v[0]->z;
        const auto& n = mesh.normals[std::size_t(t.normalIndices[0])];
        const float facing = (ay * bz - az * by) * n[0] + (az * bx - ax * bz) * n[1] + (ax * by - ay * bx) * n[2];
        if (facing <= 0) {
            checker.report.warning(path, lineOfText(path, "\"" + mesh.name + "\""),
                                   "triangle " + std::to_string(i) + " of mesh \"" + mesh.name +
                                       "\" is wound against its normal: it is culled from the side it should show");
            return;
        }
    }
}

bool inTimeOrder(const std::vector<Key>& keys) {
    for (std::size_t i = 1; i < keys.size(); ++i) {
        if (!(keys[i].time > keys[i - 1].time)) return false;
    }
    return true;
}

void checkBones(Checker& checker, const std::string& path, const Model& model) {
    for (std::size_t i = 0; i < model.bones.size(); ++i) {
        const Bone& bone = model.bones[i];
        warnLongName(checker, path, "bone name", bone.name, 31);
        const int line = lineOfText(path, "\"" + bone.name + "\"");
        // The pose of a bone is built on its parent's, so the parent must come first.
        if (bone.parent && bone.parent > &bone) {
            checker.report.warning(path, line,
                                   "bone \"" + bone.name + "\" comes before its parent \"" + bone.parent->name +
                                       "\": the game poses it from a parent not yet posed");
        }
        if (!inTimeOrder(bone.positionKeys) || !inTimeOrder(bone.rotationKeys)) {
            checker.report.warning(path, line, "the keys of bone \"" + bone.name + "\" are not in time order");
        }
    }
}

}  // namespace

const Model* Checker::checkModel(const std::string& path, const std::string& cause, int causeLine) {
    if (auto known = models_.find(path); known != models_.end()) return known->second.get();

    auto model = std::make_unique<Model>(false);
    model->loadTextures = false;
    ModelStop stop;
    const bool loaded = model->loadModel(path.c_str(), &stop);
    if (!loaded && stop.line == 0) {
        report.error(cause, causeLine, "model file " + path + " cannot be opened (the game shows \"Fehler\")");
        model.reset();
    } else if (!loaded) {
        report.error(path, stop.line,
                     "a parent bone name names no bone of this model (the game refuses the model: \"Fehler\")");
        model.reset();
    } else if (stop.line != 0) {
        const std::string where = stop.atEnd ? "the file ends where " : "expected ";
        report.error(
            path, stop.line,
            where + stop.expected + (stop.atEnd ? " was expected" : "") + "; the game stops reading the model here");
        // What the game read of it is incomplete: checks on it would only bring false alarms.
        models_[path] = nullptr;
        return nullptr;
    }
    if (model) {
        for (const Mesh& mesh : model->meshes) {
            warnLongName(*this, path, "mesh name", mesh.name, 31);
            checkWinding(*this, path, mesh);
        }
        for (const Material& material : model->materials) {
            warnLongName(*this, path, "material name", material.name, 34);
            if (material.textureFile.empty()) continue;
            if (material.textureFile.size() > 31) {
                report.warning(
                    path, material.textureLine,
                    "texture path \"" + material.textureFile + "\" is longer than the 31 characters the format allows");
            }
            checkTexture(material.textureFile, path, material.textureLine);
        }
        checkBones(*this, path, *model);
    }
    models_[path] = std::move(model);
    return models_[path].get();
}

void Checker::checkTexture(const std::string& name, const std::string& cause, int causeLine) {
    std::string path = hostPath(name.c_str());
    if (path.rfind("./", 0) == 0) path.erase(0, 2);
    if (!textures_.insert(path).second) return;
    Texture texture(false);
    if (!texture.readTga(path.c_str())) {
        if (std::string(texture.refusal) == "cannot be opened") {
            report.error(cause, causeLine, "texture " + path + " cannot be opened; the game draws untextured");
        } else {
            report.error(path, 1, std::string("the texture ") + texture.refusal + "; the game draws untextured");
        }
        return;
    }
    if (!isPowerOfTwo(texture.width) || !isPowerOfTwo(texture.height)) {
        report.warning(path, 1,
                       "the texture is " + std::to_string(texture.width) + "x" + std::to_string(texture.height) +
                           ": sides that are not powers of two are not drawn on every OpenGL 1.1 system");
    }
}
