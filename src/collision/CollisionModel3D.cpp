// Placeholder until the real library lands: stores nothing, never collides.
#include "collision/CollisionModel3D.h"

namespace {
class EmptyModel final : public CollisionModel3D {
public:
    void destroy(int) override { delete this; }
    void setTriangleCount(int) override {}
    void addTriangle(const float*, const float*, const float*) override {}
    void addTriangle(float, float, float, float, float, float, float, float, float) override {}
    void finalize() override {}
    void setTransform(const float*) override {}
    bool collides(CollisionModel3D*, int, int, float*) override { return false; }
};
}  // namespace

CollisionModel3D* newCollisionModel3D(bool) { return new EmptyModel; }
