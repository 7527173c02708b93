#pragma once
// A small deterministic generator (splitmix64): the same seed gives the same faults on every run.
#include <cstdint>

namespace norvgpssim {

// Every random choice of a run's faults is drawn from one of these, seeded from --seed or the
// scenario's timeline, so that --deterministic runs stay byte-identical.
class SeededRandom {
 public:
  explicit SeededRandom(std::uint64_t seed) : FState(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  // Uniform in [0, n); n > 0.
  std::uint64_t Below(std::uint64_t n) { return Next() % n; }
  // True with probability p.
  bool Chance(double p) { return Unit() < p; }

 private:
  std::uint64_t FState;
};

}  // namespace norvgpssim
