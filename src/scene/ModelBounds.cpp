#include "scene/ModelObject.h"

#include <algorithm>

void ModelObject::measureMeshes() {
    const int slots = std::min(model.meshCount, static_cast<int>(model.meshes.size()));
    if (measuredMeshes_ == model.meshes.data() && measuredCount_ == slots &&
        boneBoxes_.size() == model.bones.size())
        return;
    boneBoxes_.assign(model.bones.size(), BoundingBox{});
    unbonedBox_ = BoundingBox{};
    for (int i = 0; i < slots; ++i) {
        const Mesh& mesh = model.meshes[i];
        // Only the corners of triangles are drawn.
        for (const Triangle& triangle : mesh.triangles) {
            for (const int index : triangle.vertexIndices) {
                const Vertex& v = mesh.vertices[index];
                const bool boned = v.boneIndex >= 0 && v.boneIndex < static_cast<int>(boneBoxes_.size());
                (boned ? boneBoxes_[v.boneIndex] : unbonedBox_).add(v.x, v.y, v.z);
            }
        }
    }
    measuredMeshes_ = model.meshes.data();
    measuredCount_ = slots;
}

BoundingBox ModelObject::meshBox() {
    measureMeshes();
    BoundingBox box = unbonedBox_;
    for (std::size_t b = 0; b < boneBoxes_.size(); ++b) {
        const BoundingBox& local = boneBoxes_[b];
        if (local.empty) continue;
        const Matrix4& pose = model.bones[b].absolute;
        for (int corner = 0; corner < 8; ++corner) {
            const Vector3 p = pose.transformPoint(corner & 1 ? local.high.x : local.low.x,
                                                  corner & 2 ? local.high.y : local.low.y,
                                                  corner & 4 ? local.high.z : local.low.z);
            box.add(p.x, p.y, p.z);
        }
    }
    return box;
}

bool ModelObject::localBounds(BoundingSphere& sphere) { return meshBox().sphere(sphere); }

void ModelObject::skipDraw(DrawState& state) { model.noteDrawnState(state); }
