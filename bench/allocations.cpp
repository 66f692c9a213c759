// operator new is replaced for the whole process; malloc, calloc, realloc and
// free are wrapped at link time (--wrap) for the code linked into the program,
// which takes in the library and RapidJSON, whose allocator calls malloc.
#include "allocations.h"

#include <malloc.h>

#include <cstdlib>
#include <new>

extern "C" {
void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __real_realloc(void* block, std::size_t size);
void __real_free(void* block);
}

namespace {

// The benchmarks run on one thread; counting is off outside the measured step.
bool g_counting = false;
long long g_live = 0;
long long g_peak = 0;

void Allocated(void* block) {
    if (!g_counting || block == nullptr) return;
    g_live += static_cast<long long>(malloc_usable_size(block));
    if (g_live > g_peak) g_peak = g_live;
}

void Freeing(void* block) {
    if (g_counting && block != nullptr) g_live -= static_cast<long long>(malloc_usable_size(block));
}

void* NewBlock(std::size_t size) {
    void* block = std::malloc(size != 0 ? size : 1);
    if (block == nullptr) throw std::bad_alloc();
    return block;
}

}  // namespace

namespace bench {

void StartCounting() {
    g_live = 0;
    g_peak = 0;
    g_counting = true;
}

std::size_t StopCounting() {
    g_counting = false;
    return static_cast<std::size_t>(g_peak);
}

}  // namespace bench

extern "C" {

void* __wrap_malloc(std::size_t size) {
    void* block = __real_malloc(size);
    Allocated(block);
    return block;
}

void* __wrap_calloc(std::size_t count, std::size_t size) {
    void* block = __real_calloc(count, size);
    Allocated(block);
    return block;
}

void* __wrap_realloc(void* block, std::size_t size) {
    Freeing(block);
    void* moved = __real_realloc(block, size);
    // A failed realloc leaves the block as it was.
    Allocated(moved != nullptr || size == 0 ? moved : block);
    return moved;
}

void __wrap_free(void* block) {
    Freeing(block);
    __real_free(block);
}

}  // extern "C"

void* operator new(std::size_t size) { return NewBlock(size); }
void* operator new[](std::size_t size) { return NewBlock(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
