#pragma once
#include <memory>

#include "collision/CollisionModel3D.h"

// Owns a collision model and gives it back to the library with destroy(1).
struct CollisionModelDeleter {
    void operator()(CollisionModel3D* model) const {
        if (model) model->destroy(1);
    }
};
using CollisionModelPtr = std::unique_ptr<CollisionModel3D, CollisionModelDeleter>;

inline CollisionModelPtr makeCollisionModel() { return CollisionModelPtr(newCollisionModel3D(false)); }
