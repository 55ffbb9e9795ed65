#include <GL/gl.h>
#include <dlfcn.h>
#include <execinfo.h>
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
#include <cstdlib>
#include <new>
#include <string_view>
#include <vector>

#include "../scene/ModelFiles.h"
#include "GlTestContext.h"
#include "TempDir.h"
#include "scene/AbyssObject.h"
#include "scene/DeathObject.h"
#include "scene/LevelObject.h"
#include "surfaces/CollisionModelPtr.h"
#include "surfaces/LatticeObject.h"
#include "surfaces/SwitchObject.h"
#include "surfaces/WaterAbyssObject.h"

// Counts the program's own allocations while `countAllocations` is set.
namespace {
std::atomic<bool> countAllocations{false};
std::atomic<int> allocations{0};
}  // namespace

// Every form is replaced, so whatever new hands out (also to the GL driver)
// goes back to the matching free.
namespace {
// The GL driver (llvmpipe compiles shaders with LLVM now and then) allocates
// for itself; only allocations with no driver code on the stack are the game's.
bool calledFromDriver() {
    void* frames[64];
    const int depth = backtrace(frames, 64);
    for (int k = 0; k < depth; ++k) {
        Dl_info info;
        if (!dladdr(frames[k], &info) || !info.dli_fname) continue;
        const std::string_view module = info.dli_fname;
        for (const char* driver : {"libLLVM", "_dri", "libgallium", "libGL", "libglapi"})
            if (module.find(driver) != std::string_view::npos) return true;
    }
    return false;
}

thread_local bool inCheck = false;

void* allocate(std::size_t size, std::size_t alignment = 0) {
    if (countAllocations && !inCheck) {
        inCheck = true;
        if (!calledFromDriver()) ++allocations;
        inCheck = false;
    }
    if (size == 0) size = 1;
    if (alignment <= alignof(std::max_align_t)) return std::malloc(size);
    return std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
}
void* allocateOrThrow(std::size_t size, std::size_t alignment = 0) {
    if (void* p = allocate(size, alignment)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new(std::size_t size, std::align_val_t a) { return allocateOrThrow(size, std::size_t(a)); }
void* operator new[](std::size_t size, std::align_val_t a) { return allocateOrThrow(size, std::size_t(a)); }
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
    return allocate(size, std::size_t(a));
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
    return allocate(size, std::size_t(a));
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }

TEST(WaterSurface, DrawingAllocatesNothing) {
    ensureGlContext();
    WaterAbyssObject water;
    for (bool arrayPath : {false, true}) {
        water.useDisplayList = arrayPath;
        water.drawLocal();  // the driver may set itself up on first use
        glFinish();
        allocations = 0;
        countAllocations = true;
        for (int frame = 0; frame < 5; ++frame) water.drawLocal();
        countAllocations = false;
        glFinish();
        EXPECT_EQ(allocations.load(), 0) << (arrayPath ? "array path" : "strip path");
    }
}

TEST(SceneObjects, DrawingUpdatingAndTestingAllocateNothing) {
    ensureGlContext();
    TempDir dir;
    dir.write("models/boxed.txt", testmodels::movingSquare(true));
    dir.write("texturen/boden.tga", testmodels::solidTga(4, 4));

    LevelObject level(true);
    AbyssObject abyss;
    DeathObject still(true);
    for (ModelObject* o : std::initializer_list<ModelObject*>{&level, &abyss, &still}) {
        ASSERT_TRUE(o->model.loadModel("./models/boxed.txt"));
        o->compileDisplayList();
    }
    LatticeObject lattice;
    SwitchObject plate;
    CollisionModelPtr probe = makeCollisionModel();
    probe->setTriangleCount(1);
    probe->addTriangle(5, 5, 5, 5.1f, 5, 5, 5, 5.1f, 5);  // far from everything
    probe->finalize();
    const Matrix4 identity;
    probe->setTransform(identity.data());

    std::vector<SceneObject*> all{&level, &abyss, &still, &lattice, &plate};
    auto frame = [&] {
        for (SceneObject* o : all) {
            o->drawLocal();
            o->update(0.5f);
            EXPECT_EQ(o->collide(probe.get()), HIT_NONE);
        }
    };
    for (bool lists : {true, false}) {
        for (SceneObject* o : all) o->useDisplayList = lists;
        frame();  // the driver may set itself up on first use
        glFinish();
        allocations = 0;
        countAllocations = true;
        for (int n = 0; n < 3; ++n) frame();
        countAllocations = false;
        glFinish();
        EXPECT_EQ(allocations.load(), 0) << (lists ? "with lists" : "without lists");
    }
}

// A non-static deadly object rebuilds the collision models of its meshes from the
// pose at every test; once the first frames have sized the buffers, those rebuilds
// take nothing from the heap, whether the player's box is hit or not.
TEST(SceneObjects, AnimatedDeadlyObjectRebuildsWithoutAllocating) {
    ensureGlContext();
    TempDir dir;
    std::ifstream blade(ZARNOTH_SOURCE_DIR "/data/models/klinge.txt");
    ASSERT_TRUE(blade);
    dir.write("models/klinge.txt", std::string(std::istreambuf_iterator<char>(blade), {}));

    DeathObject spinning(false);
    ASSERT_TRUE(spinning.model.loadModel("./models/klinge.txt"));
    ASSERT_GT(spinning.model.meshCount, 0);
    ASSERT_FALSE(spinning.model.meshes[0].hasCollision);

    CollisionModelPtr box = makeCollisionModel();
    const float h = 0.1f;
    const float corners[8][3] = {{-h, -h, -h}, {h, -h, -h}, {h, h, -h}, {-h, h, -h},
                                 {-h, -h, h},  {h, -h, h},  {h, h, h},  {-h, h, h}};
    const int faces[6][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 5, 4}, {3, 2, 6, 7}, {0, 3, 7, 4}, {1, 2, 6, 5}};
    box->setTriangleCount(12);
    for (const auto& f : faces) {
        box->addTriangle(corners[f[0]], corners[f[1]], corners[f[2]]);
        box->addTriangle(corners[f[0]], corners[f[2]], corners[f[3]]);
    }
    box->finalize();
    Matrix4 besideTheAxis;
    besideTheAxis.data()[12] = 0.6f;
    besideTheAxis.data()[13] = 0.18f;
    box->setTransform(besideTheAxis.data());

    int hits = 0;
    auto frames = [&](int count) {
        for (int n = 0; n < count; ++n) {
            spinning.update(0.37f);
            hits += spinning.collide(box.get()) == HIT_MESH;
        }
    };
    frames(20);
    hits = 0;
    allocations = 0;
    countAllocations = true;
    frames(200);
    countAllocations = false;
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_GT(hits, 0);
    EXPECT_LT(hits, 200);
}
