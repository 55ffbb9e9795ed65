// FCL 0.7: two BVHModel<OBBRSS> meshes and fcl::collide with the default request
// (one contact wanted, no contact details).
#include <fcl/geometry/bvh/BVH_model.h>
#include <fcl/math/bv/OBBRSS.h>
#include <fcl/narrowphase/collision.h>

#include "PeerLibrary.h"

namespace {

using Geometry = fcl::BVHModel<fcl::OBBRSSd>;

class FclMesh final : public PeerMesh {
public:
    explicit FclMesh(const std::vector<collisiontest::Triangle>& triangles) {
        std::vector<fcl::Vector3d> points;
        std::vector<fcl::Triangle> faces;
        points.reserve(triangles.size() * 3);
        for (const auto& t : triangles) {
            const std::size_t first = points.size();
            for (int i = 0; i < 9; i += 3) points.emplace_back(t[i], t[i + 1], t[i + 2]);
            faces.emplace_back(first, first + 1, first + 2);
        }
        auto geometry = std::make_shared<Geometry>();
        geometry->beginModel();
        geometry->addSubModel(points, faces);
        geometry->endModel();
        object = std::make_unique<fcl::CollisionObjectd>(geometry);
    }

    void place(const collisiontest::Matrix& m) override {
        fcl::Transform3d transform = fcl::Transform3d::Identity();
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column) transform.linear()(row, column) = m[column * 4 + row];
            transform.translation()(row) = m[12 + row];
        }
        object->setTransform(transform);
    }

    std::unique_ptr<fcl::CollisionObjectd> object;
};

class FclLibrary final : public PeerLibrary {
public:
    const char* name() const override { return "FCL"; }
    std::unique_ptr<PeerMesh> build(const std::vector<collisiontest::Triangle>& triangles) override {
        return std::make_unique<FclMesh>(triangles);
    }
    bool collide(PeerMesh& a, PeerMesh& b) override {
        result_.clear();
        fcl::collide(static_cast<FclMesh&>(a).object.get(), static_cast<FclMesh&>(b).object.get(), request_, result_);
        return result_.isCollision();
    }

private:
    fcl::CollisionRequestd request_;
    fcl::CollisionResultd result_;
};

}  // namespace

std::unique_ptr<PeerLibrary> makeFclLibrary() { return std::make_unique<FclLibrary>(); }
