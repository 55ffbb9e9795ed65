#include "CountingAllocator.h"

#include <dlfcn.h>
#include <execinfo.h>

#include <cstddef>
#include <cstdlib>
#include <new>
#include <string_view>

std::atomic<bool> countAllocations{false};
std::atomic<int> allocations{0};

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
