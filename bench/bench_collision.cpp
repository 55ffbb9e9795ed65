// Building and testing collision models: a 12-triangle box against tessellated spheres
// of about 1k, 10k and 100k triangles, in contact, near (inside the sphere's bounds but
// apart) and far apart; a 2k-triangle model rebuilt and tested every frame; and the
// brute-force all-pairs check on the same placements for comparison.
#include <benchmark/benchmark.h>

#include <vector>

#include "../tests/collision/CollisionTestSupport.h"
#include "collision/TriangleTest.h"

using namespace collisiontest;

namespace {

struct SphereSize {
    int rings, segments;
};
// 1,024, 10,000 and 99,856 triangles.
const SphereSize kSizes[] = {{16, 32}, {50, 100}, {158, 316}};

enum Where { kContact = 0, kNear = 1, kApart = 2 };

const Matrix& sphereTransform()
{
    static const Matrix m = translation(5, -2, 7) * rotation(30, 0.48f, 0.6f, 0.64f);
    return m;
}

Matrix boxTransform(int where)
{
    const float spots[3][3] = {{0, 0, 1}, {0.75f, 0.75f, 0.75f}, {3, 0, 0}};
    const float* at = spots[where];
    return sphereTransform() * translation(at[0], at[1], at[2]) * rotation(25, 0, 0.6f, 0.8f);
}

const std::vector<Triangle>& boxMesh()
{
    static const auto box = boxTriangles(-0.1f, -0.1f, -0.1f, 0.1f, 0.1f, 0.1f);
    return box;
}

ModelPtr placedModel(const std::vector<Triangle>& triangles, const Matrix& transform)
{
    ModelPtr model = buildModel(triangles);
    model->setTransform(transform.data());
    return model;
}

void setLabel(benchmark::State& state, std::size_t triangles, bool hit)
{
    state.SetLabel(std::to_string(triangles) + " triangles, " + (hit ? "hit" : "no hit"));
}

void BM_Finalize(benchmark::State& state)
{
    const SphereSize size = kSizes[state.range(0)];
    const auto sphere = sphereTriangles(1, size.rings, size.segments);
    for (auto _ : state) {
        ModelPtr model = buildModel(sphere);
        benchmark::DoNotOptimize(model.get());
    }
    state.SetLabel(std::to_string(sphere.size()) + " triangles, add + finalize");
}
BENCHMARK(BM_Finalize)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_Collides(benchmark::State& state)
{
    const SphereSize size = kSizes[state.range(0)];
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

void BM_BruteForce(benchmark::State& state)
{
    const SphereSize size = kSizes[state.range(0)];
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
void BM_RebuildAndTest2k(benchmark::State& state)
{
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
