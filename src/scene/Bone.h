#pragma once
#include <string>
#include <vector>

#include "scene/Matrix4.h"

// A key frame: a translation (position key) or angles in radians (rotation key).
struct Key {
    float time = 0;
    float x = 0;
    float y = 0;
    float z = 0;
};

struct Bone {
    std::string name;
    std::string parentName;  // empty for a root bone
    Bone* parent = nullptr;  // set by skeleton preparation
    Vector3 restPosition;
    Vector3 restRotation;
    Matrix4 absolute;  // bone space to model space, in the current pose
    std::vector<Key> positionKeys;
    std::vector<Key> rotationKeys;
};
