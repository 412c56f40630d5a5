#include "failing_allocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace allocation {
namespace {

std::atomic<long> countdown{0};
std::atomic<bool> failed{false};

void* Allocate(std::size_t size) {
    if (countdown.load() > 0 && countdown.fetch_sub(1) == 1) {
        failed = true;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

// Callers that ask without exceptions (std::stable_sort's buffer) manage without the memory by
// design, so these never fail on purpose.
void* AllocateOrNull(std::size_t size) noexcept { return std::malloc(size == 0 ? 1 : size); }

}  // namespace

void FailNth(long n) {
    failed = false;
    countdown = n;
}

bool Failed() { return failed; }

}  // namespace allocation

// Every plain form is replaced, so that memory from this malloc never reaches another free.
void* operator new(std::size_t size) { return allocation::Allocate(size); }
void* operator new[](std::size_t size) { return allocation::Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocation::AllocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocation::AllocateOrNull(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
