// ODE 0.16: OPCODE trimesh geoms and dCollide asking for one contact whose details
// do not matter.
#include <ode/ode.h>

#include "PeerLibrary.h"

namespace {

class OdeMesh final : public PeerMesh {
public:
    explicit OdeMesh(const std::vector<collisiontest::Triangle>& triangles) {
        for (const auto& t : triangles) {
            for (int i = 0; i < 9; i += 3) {
                indices_.push_back(dTriIndex(vertices_.size() / 3));
                vertices_.insert(vertices_.end(), &t[i], &t[i] + 3);
            }
        }
        data_ = dGeomTriMeshDataCreate();
        dGeomTriMeshDataBuildSingle(data_, vertices_.data(), 3 * sizeof(float), int(vertices_.size() / 3),
                                    indices_.data(), int(indices_.size()), 3 * sizeof(dTriIndex));
        geom = dCreateTriMesh(nullptr, data_, nullptr, nullptr, nullptr);
    }
    ~OdeMesh() override {
        dGeomDestroy(geom);
        dGeomTriMeshDataDestroy(data_);
    }
    OdeMesh(const OdeMesh&) = delete;
    OdeMesh& operator=(const OdeMesh&) = delete;

    void place(const collisiontest::Matrix& m) override {
        dMatrix3 rotation;
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column) rotation[row * 4 + column] = m[column * 4 + row];
            rotation[row * 4 + 3] = 0;
        }
        dGeomSetPosition(geom, m[12], m[13], m[14]);
        dGeomSetRotation(geom, rotation);
    }

    dGeomID geom = nullptr;

private:
    std::vector<float> vertices_;  // ODE reads them in place
    std::vector<dTriIndex> indices_;
    dTriMeshDataID data_ = nullptr;
};

class OdeLibrary final : public PeerLibrary {
public:
    OdeLibrary() { dInitODE2(0); }
    ~OdeLibrary() override { dCloseODE(); }
    OdeLibrary(const OdeLibrary&) = delete;
    OdeLibrary& operator=(const OdeLibrary&) = delete;

    const char* name() const override { return "ODE"; }
    std::unique_ptr<PeerMesh> build(const std::vector<collisiontest::Triangle>& triangles) override {
        return std::make_unique<OdeMesh>(triangles);
    }
    bool collide(PeerMesh& a, PeerMesh& b) override {
        dContactGeom contact;
        return dCollide(static_cast<OdeMesh&>(a).geom, static_cast<OdeMesh&>(b).geom, 1 | CONTACTS_UNIMPORTANT,
                        &contact, sizeof contact) > 0;
    }
};

}  // namespace

std::unique_ptr<PeerLibrary> makeOdeLibrary() { return std::make_unique<OdeLibrary>(); }
