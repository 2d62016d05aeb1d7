#include "AllocationCounter.h"

#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define BENCH_SANITIZER_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BENCH_SANITIZER_ALLOCATOR 1
#endif
#endif

#if defined(BENCH_SANITIZER_ALLOCATOR)
// The address sanitizer's runtime calls these on every allocation of its allocator (GCC ships
// the runtime without the header that declares it).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, std::size_t),
                                                         void (*onFree)(const volatile void*));
#endif

namespace {

thread_local bool t_counting = false;
thread_local std::uint64_t t_count = 0;

void note()
{
    if (t_counting)
        ++t_count;
}

#if defined(BENCH_SANITIZER_ALLOCATOR)
void onMalloc(const volatile void*, std::size_t)
{
    note();
}
void onFree(const volatile void*) {}

const bool hooksInstalled = [] {
    __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree);
    return true;
}();
#endif

void* allocate(std::size_t size)
{
#if !defined(BENCH_SANITIZER_ALLOCATOR)
    note(); // the sanitizer hook sees the malloc below already
#endif
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

} // namespace

#if !defined(BENCH_SANITIZER_ALLOCATOR)
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);

void* malloc(std::size_t size)
{
    note();
    return __libc_malloc(size);
}
void* calloc(std::size_t n, std::size_t size)
{
    note();
    return __libc_calloc(n, size);
}
void* realloc(void* p, std::size_t size)
{
    note();
    return __libc_realloc(p, size);
}
}
#endif

void* operator new(std::size_t size)
{
    return allocate(size);
}
void* operator new[](std::size_t size)
{
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new(std::size_t size, std::align_val_t align)
{
#if !defined(BENCH_SANITIZER_ALLOCATOR)
    note();
#endif
    const std::size_t a = std::size_t(align);
    if (void* p = std::aligned_alloc(a, (size + a - 1) / a * a))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t align)
{
    return operator new(size, align);
}
void operator delete(void* p, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace benchalloc {

void startCounting()
{
    t_count = 0;
    t_counting = true;
}

std::uint64_t stopCounting()
{
    t_counting = false;
    return t_count;
}

} // namespace benchalloc
