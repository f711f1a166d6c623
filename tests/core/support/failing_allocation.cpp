#include "failing_allocation.h"

#include <cstdlib>
#include <new>

namespace {

// 0: allocations pass; n: the n-th allocation from now fails.
thread_local long long tillFailure = 0;
thread_local bool refused = false;

void* Allocate(std::size_t size) {
  if (tillFailure > 0 && --tillFailure == 0) {
    refused = true;
    throw std::bad_alloc();
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}

void* operator new[](std::size_t size) {
  return Allocate(size);
}

// The library's temporary buffers ask without exceptions: they get none and
// take the slower road, as they would on a machine out of memory.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void operator delete(void* memory, const std::nothrow_t&) noexcept {
  std::free(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept {
  std::free(memory);
}

void operator delete(void* memory) noexcept {
  std::free(memory);
}

void operator delete[](void* memory) noexcept {
  std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}

namespace quillfen::testing {

FailingAllocation::FailingAllocation(long long count) {
  refused = false;
  tillFailure = count;
}

void FailingAllocation::Stop() {
  tillFailure = 0;
}

bool FailingAllocation::Failed() const {
  return refused;
}

}  // namespace quillfen::testing
