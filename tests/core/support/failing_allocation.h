#pragma once

namespace quillfen::testing {

// Makes the count-th allocation of this thread from now on throw
// std::bad_alloc, unless stopped before; the program's other threads
// allocate as always.
class FailingAllocation {
 public:
  explicit FailingAllocation(long long count);
  ~FailingAllocation() { Stop(); }
  FailingAllocation(const FailingAllocation&) = delete;
  FailingAllocation& operator=(const FailingAllocation&) = delete;
  void Stop();
  // Whether an allocation was refused.
  bool Failed() const;
};

}  // namespace quillfen::testing
