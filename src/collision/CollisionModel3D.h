#pragma once

// A triangle mesh that can be tested for contact with another one.
// Models are created by newCollisionModel3D and released by destroy().
class CollisionModel3D {
public:
    // Releases the model; it must not be used afterwards.
    virtual void destroy(int flag) = 0;
    // A hint only: the number of triangles about to be added.
    virtual void setTriangleCount(int n) = 0;
    // Corner coordinates are copied at once.
    virtual void addTriangle(const float* p1, const float* p2, const float* p3) = 0;
    virtual void addTriangle(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                             float z3) = 0;
    // Builds the search structure; the model can be tested afterwards.
    virtual void finalize() = 0;
    // 16 floats, column-major OpenGL order; copied.
    virtual void setTransform(const float* matrix) = 0;
    // True when a triangle of this model, placed by its transform, meets a
    // triangle of `other`, placed by its own. Touching counts.
    virtual bool collides(CollisionModel3D* other, int accuracyDepth = -1, int maxProcessingTime = 0,
                          float* otherTransform = nullptr) = 0;

    virtual ~CollisionModel3D() = default;
};

CollisionModel3D* newCollisionModel3D(bool isStatic = false);
