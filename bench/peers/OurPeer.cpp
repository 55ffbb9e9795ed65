#include "PeerLibrary.h"

namespace {

class OurMesh final : public PeerMesh {
public:
    explicit OurMesh(const std::vector<collisiontest::Triangle>& triangles)
        : model(collisiontest::buildModel(triangles)) {}
    void place(const collisiontest::Matrix& m) override { model->setTransform(m.data()); }
    collisiontest::ModelPtr model;
};

class OurLibrary final : public PeerLibrary {
public:
    const char* name() const override { return "ours"; }
    std::unique_ptr<PeerMesh> build(const std::vector<collisiontest::Triangle>& triangles) override {
        return std::make_unique<OurMesh>(triangles);
    }
    bool collide(PeerMesh& a, PeerMesh& b) override {
        return static_cast<OurMesh&>(a).model->collides(static_cast<OurMesh&>(b).model.get());
    }
};

}  // namespace

std::unique_ptr<PeerLibrary> makeOurLibrary() { return std::make_unique<OurLibrary>(); }
