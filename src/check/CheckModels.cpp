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
    std::ifstream in(path);
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
        report.error(path, stop.line,
                     where + stop.expected + (stop.atEnd ? " was expected" : "") +
                         "; the game stops reading the model here");
        // What the game read of it is incomplete: checks on it would only bring false alarms.
        models_[path] = nullptr;
        return nullptr;
    }
    if (model) {
        for (const Mesh& mesh : model->meshes) warnLongName(*this, path, "mesh name", mesh.name, 31);
        for (const Material& material : model->materials) {
            warnLongName(*this, path, "material name", material.name, 34);
            if (material.textureFile.empty()) continue;
            if (material.textureFile.size() > 31) {
                report.warning(path, material.textureLine,
                               "texture path \"" + material.textureFile +
                                   "\" is longer than the 31 characters the format allows");
            }
            checkTexture(material.textureFile, path, material.textureLine);
        }
        for (const Bone& bone : model->bones) warnLongName(*this, path, "bone name", bone.name, 31);
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
