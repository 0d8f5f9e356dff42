#include "platform/random_source.h"

#include <chrono>

namespace vemu::platform {

int RandomSource::Next(int n) {
  if (n <= 0) return 0;
  // Multiply and shift instead of a distribution: the distributions of the
  // standard library differ between implementations, this does not.
  const std::uint64_t word = engine_();
  return static_cast<int>((word * static_cast<std::uint64_t>(n)) >> 32);
}

double RandomSource::NextUnit() {
  return static_cast<double>(engine_()) / 4294967296.0;
}

namespace {
RandomSource builtIn{SeedFromClock()};
RandomSource* current = nullptr;
}  // namespace

RandomSource& randomSource() { return current ? *current : builtIn; }

RandomSource* setRandomSource(RandomSource* source) {
  RandomSource* previous = current;
  current = source;
  return previous;
}

std::uint32_t SeedFromClock() {
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks) ^
                                    (static_cast<std::uint64_t>(ticks) >> 32));
}

}  // namespace vemu::platform
