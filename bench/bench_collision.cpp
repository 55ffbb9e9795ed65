// Building and testing collision models: a 12-triangle box against tessellated spheres
// of about 1k, 10k and 100k triangles, in contact, near (inside the sphere's bounds but
// apart) and far apart; a 2k-triangle model rebuilt and tested every frame; and the
// brute-force all-pairs check on the same placements for comparison. Then the same
// kinds of case side by side with FCL and ODE, where the build has them.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "peers/PeerLibrary.h"

#include "../tests/collision/CollisionTestSupport.h"
#include "collision/TriangleOverlap.h"

using namespace collisiontest;

namespace {

struct SphereSize {
    int rings, segments;
};
// 1,024, 10,000 and 99,856 triangles.
const SphereSize sizes[] = {{16, 32}, {50, 100}, {158, 316}};

enum Where { kContact = 0, kNear = 1, kApart = 2 };

const Matrix& sphereTransform() {
    static const Matrix m = translation(5, -2, 7) * rotation(30, 0.48f, 0.6f, 0.64f);
    return m;
}

Matrix boxTransform(int where) {
    const float spots[3][3] = {{0, 0, 1}, {0.75f, 0.75f, 0.75f}, {3, 0, 0}};
    const float* at = spots[where];
    return sphereTransform() * translation(at[0], at[1], at[2]) * rotation(25, 0, 0.6f, 0.8f);
}

const std::vector<Triangle>& boxMesh() {
    static const auto box = boxTriangles(-0.1f, -0.1f, -0.1f, 0.1f, 0.1f, 0.1f);
    return box;
}

ModelPtr placedModel(const std::vector<Triangle>& triangles, const Matrix& transform) {
    ModelPtr model = buildModel(triangles);
    model->setTransform(transform.data());
    return model;
}

void setLabel(benchmark::State& state, std::size_t triangles, bool hit) {
    state.SetLabel(std::to_string(triangles) + " triangles, " + (hit ? "hit" : "no hit"));
}

void BM_Finalize(benchmark::State& state) {
    const SphereSize size = sizes[state.range(0)];
    const auto sphere = sphereTriangles(1, size.rings, size.segments);
    for (auto _ : state) {
        ModelPtr model = buildModel(sphere);
        benchmark::DoNotOptimize(model.get());
    }
    state.SetLabel(std::to_string(sphere.size()) + " triangles, add + finalize");
}
BENCHMARK(BM_Finalize)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_Collides(benchmark::State& state) {
    const SphereSize size = sizes[state.range(0)];
    const auto sphere = sphereTriangles(1, size.rings, size.segments);
    ModelPtr sphereModel = placedModel(sphere, sphereTransform());
    ModelPtr box = placedModel(boxMesh(), boxTransform(int(state.range(1))));
    bool hit = false;
    for (auto _ : state) {
        hit = sphereModel->collides(box.get());
        benchmark::DoNotOptimize(hit);
    }
    setLabel(state, sphere.size(), hit);
}
BENCHMARK(BM_Collides)->ArgsProduct({{0, 1, 2}, {kContact, kNear, kApart}})->Unit(benchmark::kMicrosecond);

void BM_BruteForce(benchmark::State& state) {
    const SphereSize size = sizes[state.range(0)];
    const auto sphere = sphereTriangles(1, size.rings, size.segments);
    const Matrix boxPlace = boxTransform(int(state.range(1)));
    bool hit = false;
    for (auto _ : state) {
        hit = bruteForce(boxMesh(), boxPlace, sphere, sphereTransform());
        benchmark::DoNotOptimize(hit);
    }
    setLabel(state, sphere.size(), hit);
}
BENCHMARK(BM_BruteForce)->ArgsProduct({{0, 1, 2}, {kContact, kNear, kApart}})->Unit(benchmark::kMicrosecond);

// A posed deadly object: destroyed, rebuilt from its pose and tested, every frame.
void BM_RebuildAndTest2k(benchmark::State& state) {
    const auto pose = sphereTriangles(1, 25, 40);
    ModelPtr box = placedModel(boxMesh(), boxTransform(int(state.range(0))));
    CollisionModel3D* model = nullptr;
    bool hit = false;
    for (auto _ : state) {
        if (model) model->destroy(1);
        model = newCollisionModel3D(false);
        model->setTriangleCount(static_cast<int>(pose.size()));
        for (const Triangle& t : pose) model->addTriangle(&t[0], &t[3], &t[6]);
        model->finalize();
        model->setTransform(sphereTransform().data());
        hit = model->collides(box.get());
        benchmark::DoNotOptimize(hit);
    }
    if (model) model->destroy(1);
    setLabel(state, pose.size(), hit);
}
BENCHMARK(BM_RebuildAndTest2k)->Arg(kContact)->Arg(kApart)->Unit(benchmark::kMicrosecond);

}  // namespace

// ---- Side by side with FCL and ODE -------------------------------------------------
// Each library builds its own meshes from the same triangle soups, and every test sets
// both placements (rigid, since the peers take no scale) and then asks one question:
// the game's own pattern, a deadly object's mesh against the player's box.
namespace {

std::vector<std::unique_ptr<PeerLibrary>>& peerLibraries() {
    static std::vector<std::unique_ptr<PeerLibrary>> all = [] {
        std::vector<std::unique_ptr<PeerLibrary>> out;
        for (auto make : {makeOurLibrary, makeFclLibrary, makeOdeLibrary}) {
            if (auto library = make()) out.push_back(std::move(library));
        }
        return out;
    }();
    return all;
}

struct PeerCase {
    const char* name;
    std::vector<Triangle> target;
    Matrix targetPlace;
    std::vector<Matrix> boxPlaces;
    std::vector<bool> expected;  // brute force, per place
};

constexpr int placesPerCase = 512;
constexpr float boxHalf = 0.1f;
constexpr float nearGap = 0.05f;

Matrix randomTurn(std::mt19937& random) {
    std::normal_distribution<float> normal;
    const float x = normal(random), y = normal(random), z = normal(random);
    const float length = std::sqrt(x * x + y * y + z * z) + 1e-12f;
    return rotation(std::uniform_real_distribution<float>(0, 360)(random), x / length, y / length, z / length);
}

// 0: the box near the surface of a 10,000-triangle sphere, mostly touching it.
// 1: the box apart from the posed figure but within nearGap of it (a box grown by
//    nearGap on every side would touch). 2: the box touching the figure.
const std::vector<PeerCase>& peerCases() {
    static const std::vector<PeerCase> cases = [] {
        std::vector<PeerCase> out(3);
        std::mt19937 random(2026);
        std::uniform_real_distribution<float> unit(0, 1);
        const auto box = boxTriangles(-boxHalf, -boxHalf, -boxHalf, boxHalf, boxHalf, boxHalf);
        const float grown = boxHalf + nearGap;
        const auto grownBox = boxTriangles(-grown, -grown, -grown, grown, grown, grown);

        PeerCase& sphere = out[0];
        sphere.name = "sphere10k_near_surface";
        sphere.target = sphereTriangles(1, 50, 100);
        sphere.targetPlace = translation(5, -2, 7) * rotation(30, 0.48f, 0.6f, 0.64f);
        std::normal_distribution<float> normal;
        while (sphere.boxPlaces.size() < placesPerCase) {
            const float x = normal(random), y = normal(random), z = normal(random);
            const float r = (0.84f + 0.32f * unit(random)) / (std::sqrt(x * x + y * y + z * z) + 1e-12f);
            sphere.boxPlaces.push_back(sphere.targetPlace * translation(x * r, y * r, z * r) * randomTurn(random));
        }

        const auto figure = figureTriangles();
        const Matrix figurePlace = translation(-3, 0.2f, -8) * rotation(70, 0, 1, 0);
        out[1].name = "figure2k_apart_within_0.05";
        out[2].name = "figure2k_contact";
        for (int k : {1, 2}) {
            out[k].target = figure;
            out[k].targetPlace = figurePlace;
        }
        while (out[1].boxPlaces.size() < placesPerCase || out[2].boxPlaces.size() < placesPerCase) {
            // A point on a random triangle, moved off it a little in a random direction.
            const Triangle& t = figure[std::uniform_int_distribution<std::size_t>(0, figure.size() - 1)(random)];
            float u = unit(random), v = unit(random);
            if (u + v > 1) u = 1 - u, v = 1 - v;
            const float x = normal(random), y = normal(random), z = normal(random);
            const float reach = 0.25f * unit(random) / (std::sqrt(x * x + y * y + z * z) + 1e-12f);
            float at[3];
            for (int i = 0; i < 3; ++i) {
                at[i] = t[i] + u * (t[3 + i] - t[i]) + v * (t[6 + i] - t[i]) + (i == 0 ? x : i == 1 ? y : z) * reach;
            }
            const Matrix place = figurePlace * translation(at[0], at[1], at[2]) * randomTurn(random);
            if (bruteForce(figure, figurePlace, box, place)) {
                if (out[2].boxPlaces.size() < placesPerCase) out[2].boxPlaces.push_back(place);
            } else if (bruteForce(figure, figurePlace, grownBox, place)) {
                if (out[1].boxPlaces.size() < placesPerCase) out[1].boxPlaces.push_back(place);
            }
        }
        for (PeerCase& c : out) {
            for (const Matrix& place : c.boxPlaces)
                c.expected.push_back(bruteForce(c.target, c.targetPlace, box, place));
        }
        return out;
    }();
    return cases;
}

const std::vector<Triangle>& peerBox() {
    static const auto box = boxTriangles(-boxHalf, -boxHalf, -boxHalf, boxHalf, boxHalf, boxHalf);
    return box;
}

// Microseconds per test: the two placements and the question, cycling through the case's places.
void BM_Peers_Collides(benchmark::State& state, PeerLibrary* library, const PeerCase* c) {
    auto target = library->build(c->target);
    auto box = library->build(peerBox());
    std::size_t i = 0, hits = 0, tests = 0;
    for (auto _ : state) {
        target->place(c->targetPlace);
        box->place(c->boxPlaces[i]);
        const bool hit = library->collide(*target, *box);
        hits += hit;
        ++tests;
        if (++i == c->boxPlaces.size()) i = 0;
    }
    state.counters["hit_share"] = double(hits) / double(tests ? tests : 1);
}

// A posed mesh as a non-static deadly object has it every frame: built from the pose,
// placed with the box, tested once and released.
void BM_Peers_Rebuild(benchmark::State& state, PeerLibrary* library) {
    const PeerCase& c = peerCases()[2];
    auto box = library->build(peerBox());
    std::size_t i = 0, hits = 0, tests = 0;
    for (auto _ : state) {
        auto target = library->build(c.target);
        target->place(c.targetPlace);
        box->place(c.boxPlaces[i]);
        hits += library->collide(*target, *box);
        ++tests;
        if (++i == c.boxPlaces.size()) i = 0;
    }
    state.counters["hit_share"] = double(hits) / double(tests ? tests : 1);
}

// Every library against the brute force on every place of every case, once.
void BM_Peers_Disagreements(benchmark::State& state) {
    for (auto _ : state) {
        const auto box = peerBox();
        for (const auto& library : peerLibraries()) {
            long disagreements = 0;
            for (const PeerCase& c : peerCases()) {
                auto target = library->build(c.target);
                auto boxMesh = library->build(box);
                for (std::size_t i = 0; i < c.boxPlaces.size(); ++i) {
                    target->place(c.targetPlace);
                    boxMesh->place(c.boxPlaces[i]);
                    disagreements += library->collide(*target, *boxMesh) != c.expected[i];
                }
            }
            state.counters[library->name()] = double(disagreements);
        }
        long places = 0, hits = 0;
        for (const PeerCase& c : peerCases()) {
            places += long(c.expected.size());
            for (bool e : c.expected) hits += e;
        }
        state.counters["places"] = double(places);
        state.counters["hits"] = double(hits);
    }
}

[[maybe_unused]] const bool peersRegistered = [] {
    benchmark::RegisterBenchmark("Peers_Disagreements", BM_Peers_Disagreements)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    for (std::size_t k = 0; k < 3; ++k) {
        for (const auto& library : peerLibraries()) {
            const std::string name = std::string("Peers_Collides/") + peerCases()[k].name + "/" + library->name();
            benchmark::RegisterBenchmark(name.c_str(), BM_Peers_Collides, library.get(), &peerCases()[k])
                ->Unit(benchmark::kMicrosecond);
        }
    }
    for (const auto& library : peerLibraries()) {
        const std::string name = std::string("Peers_Rebuild/figure2k/") + library->name();
        benchmark::RegisterBenchmark(name.c_str(), BM_Peers_Rebuild, library.get())->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

}  // namespace
