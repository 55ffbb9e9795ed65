#pragma once
// One collision library under comparison, reached through the calls the benchmark
// makes: build a mesh from a triangle soup, place it by a rigid matrix, test a pair.
#include <memory>
#include <vector>

#include "../../tests/collision/CollisionTestSupport.h"

class PeerMesh {
public:
    virtual ~PeerMesh() = default;
    // Rigid matrices only: the peers take a rotation and a translation.
    virtual void place(const collisiontest::Matrix& m) = 0;
};

class PeerLibrary {
public:
    virtual ~PeerLibrary() = default;
    virtual const char* name() const = 0;
    virtual std::unique_ptr<PeerMesh> build(const std::vector<collisiontest::Triangle>& triangles) = 0;
    // True when the two meshes, each placed by its last matrix, touch.
    virtual bool collide(PeerMesh& a, PeerMesh& b) = 0;
};

std::unique_ptr<PeerLibrary> makeOurLibrary();
// Null when the benchmark was built without that library.
std::unique_ptr<PeerLibrary> makeFclLibrary();
std::unique_ptr<PeerLibrary> makeOdeLibrary();
