#include <cctype>
#include <string>

#include "scene/Model.h"

namespace {

bool sameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

Matrix4 localTransform(const Vector3& rotation, const Vector3& translation) {
    Matrix4 local;
    local.setRotationRadians(rotation);
    local.setTranslation(translation);
    return local;
}

// The key pair around `frame` blended linearly. Before the first key the first
// key holds; after the last the last two keys extrapolate.
Vector3 blendKeys(const std::vector<Key>& keys, float frame) {
    const std::size_t n = keys.size();
    std::size_t i = 0;
    if (n >= 2) {
        while (i < n - 1 && keys[i].time < frame) ++i;
    }
    if (i == 0) return {keys[0].x, keys[0].y, keys[0].z};
    const Key& a = keys[i - 1];
    const Key& b = keys[i];
    const float span = b.time - a.time;
    // Two keys at the same time: the later one wins rather than dividing by zero.
    if (span == 0) return {b.x, b.y, b.z};
    const float s = (frame - a.time) / span;
    return {a.x + s * (b.x - a.x), a.y + s * (b.y - a.y), a.z + s * (b.z - a.z)};
}

}  // namespace

bool Model::prepareSkeleton() {
    for (Bone& bone : bones) {
        bone.parent = nullptr;
        if (bone.parentName.empty()) continue;
        for (Bone& candidate : bones) {
            if (sameNameIgnoringCase(candidate.name, bone.parentName)) {
                bone.parent = &candidate;
                break;
            }
        }
        if (!bone.parent) return false;
    }

    for (Bone& bone : bones) {
        const Matrix4 local = localTransform(bone.restRotation, bone.restPosition);
        if (bone.parent) {
            bone.absolute = bone.parent->absolute;
            bone.absolute.postMultiply(local);
        } else {
            bone.absolute = local;
        }
    }

    // Vertices are kept in their bone's space so that posing moves them rigidly;
    // the rest transform is a rotation plus a translation, so its inverse is the
    // transposed rotation applied after taking the translation off.
    const int boneTotal = static_cast<int>(bones.size());
    for (int i = 0; i < meshCount && i < static_cast<int>(meshes.size()); ++i) {
        for (Vertex& vertex : meshes[i].vertices) {
            if (vertex.boneIndex < 0 || vertex.boneIndex >= boneTotal) {
                vertex.boneIndex = -1;
                continue;
            }
            const float* m = bones[vertex.boneIndex].absolute.m;
            const float dx = vertex.x - m[12], dy = vertex.y - m[13], dz = vertex.z - m[14];
            vertex.x = m[0] * dx + m[1] * dy + m[2] * dz;
            vertex.y = m[4] * dx + m[5] * dy + m[6] * dz;
            vertex.z = m[8] * dx + m[9] * dy + m[10] * dz;
        }
    }
    return true;
}

void Model::poseBone(Bone& bone, float frame) {
    // A bone without keys of one kind keeps its rest value for that kind.
    const Vector3 translation = bone.positionKeys.empty() ? Vector3{} : blendKeys(bone.positionKeys, frame);
    const Vector3 rotation = bone.rotationKeys.empty() ? Vector3{} : blendKeys(bone.rotationKeys, frame);

    Matrix4 pose = localTransform(bone.restRotation, bone.restPosition);
    pose.postMultiply(localTransform(rotation, translation));
    if (bone.parent) {
        bone.absolute = bone.parent->absolute;
        bone.absolute.postMultiply(pose);
    } else {
        bone.absolute = pose;
    }
}

void Model::advanceAnimation(float frames) {
    advanceFrame(frames);
    poseAtCurrentFrame();
}

void Model::advanceFrame(float frames) {
    currentFrame += frames;
    // The overshoot is dropped: the loop restarts exactly at frame 1.
    if (currentFrame > frameCount) currentFrame = 1;
}

void Model::poseAtCurrentFrame() {
    for (Bone& bone : bones) poseBone(bone, currentFrame);
}

bool Model::bonesParentFirst() const {
    for (const Bone& bone : bones)
        if (bone.parent && bone.parent >= &bone) return false;
    return true;
}

void Model::advanceAnimationRange(float frames, float first, float last) {
    currentFrame += frames;
    if (currentFrame > frameCount || currentFrame > last || currentFrame < first) currentFrame = first;
    for (Bone& bone : bones) poseBone(bone, currentFrame);
}

Vector3 Model::skinnedPosition(const Vertex& vertex) const {
    if (vertex.boneIndex < 0 || vertex.boneIndex >= static_cast<int>(bones.size()))
        return {vertex.x, vertex.y, vertex.z};
    return bones[vertex.boneIndex].absolute.transformPoint(vertex.x, vertex.y, vertex.z);
}
