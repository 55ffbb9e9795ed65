// Memory behaviour, observed through a counting global operator new for this program.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "CollisionTestSupport.h"

namespace {
std::atomic<long> allocations{0};
std::atomic<long> allocatedBytes{0};

void* countedAllocation(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    allocatedBytes.fetch_add(long(size), std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return countedAllocation(size); }
void* operator new[](std::size_t size) { return countedAllocation(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

using namespace collisiontest;

namespace {

struct AllocationWindow {
    long startCount = allocations.load();
    long startBytes = allocatedBytes.load();
    long count() const { return allocations.load() - startCount; }
    long bytes() const { return allocatedBytes.load() - startBytes; }
};

// One frame of a posed deadly object: the old model goes, a new one is built from
// the pose and tested.
CollisionModel3D* rebuild(CollisionModel3D* old, const std::vector<Triangle>& pose, CollisionModel3D& player,
                          bool& hit) {
    if (old) old->destroy(1);
    CollisionModel3D* model = newCollisionModel3D(false);
    model->setTriangleCount(static_cast<int>(pose.size()));
    for (const Triangle& t : pose) model->addTriangle(&t[0], &t[3], &t[6]);
    model->finalize();
    const Matrix place = translation(0.9f, 0, 0);
    model->setTransform(place.data());
    hit = model->collides(&player);
    return model;
}

}  // namespace

TEST(Recycling, RebuildingASameSizedModelAllocatesNothing) {
    const auto pose = sphereTriangles(1, 25, 40);  // 2000 triangles, some flat at the poles
    ModelPtr player = buildModel(boxTriangles(-0.2f, -0.2f, -0.2f, 0.2f, 0.2f, 0.2f));
    CollisionModel3D* model = nullptr;
    bool hit = false;
    for (int frame = 0; frame < 3; ++frame) model = rebuild(model, pose, *player, hit);
    ASSERT_TRUE(hit);

    AllocationWindow window;
    int hits = 0;
    for (int frame = 0; frame < 20; ++frame) {
        model = rebuild(model, pose, *player, hit);
        hits += hit;
    }
    const long count = window.count();
    model->destroy(1);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(hits, 20);
}

TEST(Recycling, TestingAllocatesNothing) {
    ModelPtr sphere = buildModel(sphereTriangles(1, 30, 30));
    ModelPtr box = buildModel(boxTriangles(-0.2f, -0.2f, -0.2f, 0.2f, 0.2f, 0.2f));
    AllocationWindow window;
    int hits = 0;
    for (int step = 0; step < 40; ++step) {
        const Matrix place = translation(0.5f + step * 0.05f, 0.1f, 0) * rotation(step * 9.0f, 0, 0.6f, 0.8f);
        box->setTransform(place.data());
        hits += sphere->collides(box.get());
        hits += box->collides(sphere.get());
    }
    EXPECT_EQ(window.count(), 0);
    EXPECT_GT(hits, 0);
    EXPECT_LT(hits, 80);
}

TEST(Recycling, AbsurdTriangleCountsReserveLittle) {
    for (const int count : {2000000000, -2000000000, -1}) {
        AllocationWindow window;
        CollisionModel3D* model = newCollisionModel3D(false);
        model->setTriangleCount(count);
        model->addTriangle(0, 0, 0, 1, 0, 0, 0, 1, 0);
        model->finalize();
        const long bytes = window.bytes();
        model->destroy(1);
        EXPECT_LT(bytes, 4L << 20) << count;
    }
}

namespace {
// Models released while the program's static objects are destroyed, before or after
// the library's pool is gone, must neither touch freed memory nor leak.
struct LateOwner {
    ModelPtr model;
    LateOwner() : model(buildModel(boxTriangles(0, 0, 0, 1, 1, 1))) {}
};
LateOwner builtBeforeMain;
}  // namespace

TEST(Recycling, ModelsReleasedAtProgramExit) {
    static LateOwner builtDuringTests;
    ASSERT_TRUE(builtDuringTests.model->collides(builtBeforeMain.model.get()));
}
