// The run's pseudo-random numbers: one source, seeded once per run (from the
// clock in the programs, from a fixed number in tests and the test driver), so
// a run that is given the same seed draws the same numbers on every machine.
// Code that needs randomness takes a RandomSource& (or asks randomSource() for
// the one in force) instead of making an engine of its own.
#pragma once

#include <cstdint>
#include <random>

namespace vemu::platform {

class RandomSource {
 public:
  explicit RandomSource(std::uint32_t seed = 1) : engine_(seed) {}
  void Seed(std::uint32_t seed) { engine_.seed(seed); }
  // An integer from 0 to n - 1; 0 for n <= 0 (draws nothing then).
  int Next(int n);
  // A number in [0, 1).
  double NextUnit();

 private:
  std::mt19937 engine_;  // fully specified by the standard: same numbers everywhere
};

// The source in force (never null); the programs seed it at start-up.
RandomSource& randomSource();
// Puts `source` in force (null: the built-in one) and returns the previous one.
RandomSource* setRandomSource(RandomSource* source);
// A seed from the clock, for a run that is not told one.
std::uint32_t SeedFromClock();

// Puts a source in force for one scope (tests, the test driver).
class ScopedRandomSource {
 public:
  explicit ScopedRandomSource(RandomSource& source) : previous_(setRandomSource(&source)) {}
  ~ScopedRandomSource() { setRandomSource(previous_); }
  ScopedRandomSource(const ScopedRandomSource&) = delete;
  ScopedRandomSource& operator=(const ScopedRandomSource&) = delete;

 private:
  RandomSource* previous_;
};

}  // namespace vemu::platform
