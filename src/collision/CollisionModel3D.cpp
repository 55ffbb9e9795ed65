// Creation and release of collision models. Destroyed models wait in a free list with
// their buffers, so a model rebuilt every frame at the same size allocates nothing.
#include "collision/CollisionModel3D.h"

#include "collision/MeshModel.h"

namespace {

constexpr int maxPooledModels = 256;
constexpr std::size_t maxPooledBytes = std::size_t(32) << 20;

// Plain constant-initialised globals: still valid while other static objects are
// destroyed, so a model released that late is simply freed.
collision::MeshModel* freeHead = nullptr;
int pooledModels = 0;
std::size_t pooledBytes = 0;
bool poolClosed = false;

struct PoolReaper {
    ~PoolReaper() {
        poolClosed = true;
        while (freeHead) {
            collision::MeshModel* model = freeHead;
            freeHead = model->nextFree;
            delete model;
        }
        pooledModels = 0;
        pooledBytes = 0;
    }
};
PoolReaper reaper;

}  // namespace

CollisionModel3D* newCollisionModel3D(bool) {
    if (freeHead) {
        collision::MeshModel* model = freeHead;
        freeHead = model->nextFree;
        model->nextFree = nullptr;
        model->pooled = false;
        --pooledModels;
        pooledBytes -= model->retainedBytes();
        return model;
    }
    return new collision::MeshModel;
}

namespace collision {

void releaseModel(MeshModel* model) {
    if (model->pooled) return;  // destroyed twice: it is already waiting
    model->reset();
    const std::size_t bytes = model->retainedBytes();
    if (poolClosed || pooledModels >= maxPooledModels || pooledBytes + bytes > maxPooledBytes) {
        delete model;
        return;
    }
    model->pooled = true;
    model->nextFree = freeHead;
    freeHead = model;
    ++pooledModels;
    pooledBytes += bytes;
}

}  // namespace collision
