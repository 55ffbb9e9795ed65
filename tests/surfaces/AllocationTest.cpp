#include <GL/gl.h>
#include <dlfcn.h>
#include <execinfo.h>
#include <gtest/gtest.h>

#include <atomic>
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
