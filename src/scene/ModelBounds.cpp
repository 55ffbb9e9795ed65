#include <algorithm>
#include <cmath>

#include "scene/ModelObject.h"

namespace {
float length(float x, float y, float z) { return std::sqrt(x * x + y * y + z * z); }

float length(const Vector3& v) { return length(v.x, v.y, v.z); }

// The farthest a bone's position keys move it from its rest position at any
// frame the animation reaches (from 0 to the last frame; the keys are blended
// between, held before the first and extrapolated after the last).
float farthestMove(const Model& model, const Bone& bone) {
    float farthest = 0;
    for (const Key& key : bone.positionKeys) farthest = std::max(farthest, length(key.x, key.y, key.z));
    if (!bone.positionKeys.empty()) {
        for (const float frame : {0.0f, 1.0f, model.frameCount}) {
            const Key& a = bone.positionKeys[bone.positionKeys.size() > 1 ? bone.positionKeys.size() - 2 : 0];
            const Key& b = bone.positionKeys.back();
            const float span = b.time - a.time;
            if (frame <= b.time || span == 0) continue;
            const float s = (frame - a.time) / span;
            farthest = std::max(farthest, length(a.x + s * (b.x - a.x), a.y + s * (b.y - a.y), a.z + s * (b.z - a.z)));
        }
    }
    return farthest;
}
}  // namespace

bool ModelObject::measured() {
    const auto slots =
        static_cast<std::size_t>(std::max(0, std::min(model.meshCount, static_cast<int>(model.meshes.size()))));
    if (measuredMeshes_ == model.meshes.data() && measuredCount_ == slots) return true;
    measuredMeshes_ = model.meshes.data();
    measuredCount_ = slots;
    posesBox_ = measurePoses();
    posesSphereKnown_ = posesBox_.sphere(posesSphere_);
    leftState_ = StateLeft{};
    model.noteDrawnState(leftState_);
    return false;
}

BoundingBox ModelObject::allPosesBox() {
    measured();
    return posesBox_;
}

BoundingBox ModelObject::measurePoses() const {
    const std::size_t slots = measuredCount_;

    // How far from the model's origin each bone's own origin can ever be.
    const std::size_t boneCount = model.bones.size();
    std::vector<float> reach(boneCount, 0);
    for (std::size_t b = 0; b < boneCount; ++b) {
        float total = 0;
        // Up the chain, at most once round each bone (a loop of parents ends there).
        std::size_t steps = 0;
        for (const Bone* bone = &model.bones[b]; bone && steps <= boneCount; bone = bone->parent, ++steps)
            total += length(bone->restPosition) + farthestMove(model, *bone);
        reach[b] = total;
    }

    BoundingBox box;
    float farthest = -1;  // of the vertices with bones, from the model's origin
    for (std::size_t i = 0; i < slots; ++i) {
        const Mesh& mesh = model.meshes[i];
        // Only the corners of triangles are drawn.
        for (const Triangle& triangle : mesh.triangles) {
            for (const int index : triangle.vertexIndices) {
                const Vertex& v = mesh.vertices[index];
                if (v.boneIndex >= 0 && v.boneIndex < static_cast<int>(boneCount))
                    farthest = std::max(farthest, length(v.x, v.y, v.z) + reach[v.boneIndex]);
                else
                    box.add(v.x, v.y, v.z);
            }
        }
    }
    if (farthest >= 0) {
        box.add(-farthest, -farthest, -farthest);
        box.add(farthest, farthest, farthest);
    }
    return box;
}

bool ModelObject::localBounds(BoundingSphere& sphere) {
    measured();
    sphere = posesSphereKnown_ ? posesSphere_ : BoundingSphere{};
    return true;
}

void ModelObject::skipDraw(StateLeft& state) {
    measured();
    state.merge(leftState_);
}
