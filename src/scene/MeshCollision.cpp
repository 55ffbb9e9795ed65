#include "scene/Model.h"

CollisionModel3D* Model::meshCollisionModel(int meshIndex) {
    if (meshIndex < 0 || meshIndex >= meshCount || meshIndex >= static_cast<int>(meshes.size())) return nullptr;
    Mesh& mesh = meshes[meshIndex];
    if (mesh.hasCollision) return mesh.collisionModel.get();

    // Released first, so a recycling library can hand the same model back.
    mesh.collisionModel.reset();
    mesh.collisionModel = makeCollisionModel();

    // Each vertex is skinned once, however many triangles share it.
    poseScratch_.resize(mesh.vertices.size());
    for (std::size_t i = 0; i < mesh.vertices.size(); ++i) poseScratch_[i] = skinnedPosition(mesh.vertices[i]);

    CollisionModel3D& model = *mesh.collisionModel;
    model.setTriangleCount(static_cast<int>(mesh.triangles.size()));
    for (const Triangle& triangle : mesh.triangles) {
        const Vector3& a = poseScratch_[triangle.vertexIndices[0]];
        const Vector3& b = poseScratch_[triangle.vertexIndices[1]];
        const Vector3& c = poseScratch_[triangle.vertexIndices[2]];
        model.addTriangle(a.x, a.y, a.z, b.x, b.y, b.z, c.x, c.y, c.z);
    }
    model.finalize();
    return mesh.collisionModel.get();
}
