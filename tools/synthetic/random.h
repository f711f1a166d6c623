#pragma once

#include <cstdint>

namespace quillfen::synthetic {

// splitmix64: the same seed gives the same file on every platform and library,
// which the standard distributions do not promise.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }

  // 0 .. n-1 (n > 0); the modulo bias is irrelevant for test data.
  long long Below(long long n) {
    return static_cast<long long>(Next() % static_cast<std::uint64_t>(n));
  }
  long long Between(long long low, long long high) { return low + Below(high - low + 1); }
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  bool Chance(double p) { return Unit() < p; }
  // Roughly normal with mean 0 and deviation 1, from four uniforms.
  double Normal() { return (Unit() + Unit() + Unit() + Unit() - 2.0) * 1.7320508; }

 private:
  std::uint64_t state_;
};

}  // namespace quillfen::synthetic
