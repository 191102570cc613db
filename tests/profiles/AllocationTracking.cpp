#include "AllocationTracking.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> gTracking{false};
std::atomic<size_t> gLargest{0};
}  // namespace

void StartAllocationTracking() {
  gLargest = 0;
  gTracking = true;
}

size_t StopAllocationTracking() {
  gTracking = false;
  return gLargest;
}

// The replacement pair of the whole test program: malloc and free underneath,
// as the library's own operators (and the sanitizers) expect.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  if (gTracking) {
    size_t largest = gLargest;
    while (size > largest && !gLargest.compare_exchange_weak(largest, size)) {
    }
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return ::operator new(size, tag); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
