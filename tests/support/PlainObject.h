#pragma once
#include "scene/InertObject.h"

// A scene object that draws and tests nothing, placed where a test wants it.
class PlainObject : public InertObject {
public:
    PlainObject() = default;
    explicit PlainObject(float x, float z = 0) { position = {x, 0, z}; }
};
