#include <GL/gl.h>

#include <algorithm>

#include "scene/Model.h"

void Material::applyMaterial() const {
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT, GL_EMISSION, emissive);
    glMaterialf(GL_FRONT, GL_SHININESS, shininess);
    if (textureId.get() != 0) {
        glBindTexture(GL_TEXTURE_2D, textureId.get());
        glEnable(GL_TEXTURE_2D);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
}

// Nothing is reset after the last mesh: the texture state stays as its material left it.
void Model::drawMeshes() const {
    const int slots = std::min(meshCount, static_cast<int>(meshes.size()));
    for (int i = 0; i < slots; ++i) {
        const Mesh& mesh = meshes[i];
        const int material = i < static_cast<int>(meshMaterial.size()) ? meshMaterial[i] : -1;
        // An index past the materials read draws like no material at all.
        if (material >= 0 && material < static_cast<int>(materials.size())) {
            materials[material].applyMaterial();
        } else {
            glDisable(GL_TEXTURE_2D);
        }

        glBegin(GL_TRIANGLES);
        for (const Triangle& triangle : mesh.triangles) {
            for (int corner = 0; corner < 3; ++corner) {
                const Vertex& vertex = mesh.vertices[triangle.vertexIndices[corner]];
                glNormal3fv(mesh.normals[triangle.normalIndices[corner]].data());
                glTexCoord2fv(&vertex.u);
                const Vector3 p = skinnedPosition(vertex);
                glVertex3f(p.x, p.y, p.z);
            }
        }
        glEnd();
    }
}

void Model::noteDrawnState(StateLeft& state) const {
    const int slots = std::min(meshCount, static_cast<int>(meshes.size()));
    for (int i = 0; i < slots; ++i) {
        const int material = i < static_cast<int>(meshMaterial.size()) ? meshMaterial[i] : -1;
        if (material >= 0 && material < static_cast<int>(materials.size())) {
            const Material& applied = materials[material];
            state.ambient(applied.ambient);
            state.diffuse(applied.diffuse);
            state.specular(applied.specular);
            state.emission(applied.emissive);
            state.shininess(applied.shininess);
        }
        const Mesh& mesh = meshes[i];
        if (mesh.triangles.empty()) continue;
        const auto& normal = mesh.normals[mesh.triangles.back().normalIndices[2]];
        state.normal(normal[0], normal[1], normal[2]);
    }
}
