// The run's random source: a seed repeats its numbers, every draw is in range,
// and the scoped source is the one in force.
#include <gtest/gtest.h>

#include "platform/random_source.h"

namespace {

using namespace vemu::platform;

TEST(RandomSource, SeedRepeatsAndDrawsStayInRange) {
  RandomSource a(7), b(7);
  bool differs = false;
  for (int i = 0; i < 1000; ++i) {
    const int n = 1 + i % 13, x = a.Next(n);
    EXPECT_EQ(x, b.Next(n));
    EXPECT_TRUE(x >= 0 && x < n);
    const double u = a.NextUnit();
    EXPECT_TRUE(u >= 0.0 && u < 1.0 && u == b.NextUnit());
    differs = differs || x != 0;
  }
  EXPECT_TRUE(differs);
  EXPECT_EQ(a.Next(0), 0);
  EXPECT_EQ(a.Next(-3), 0);
  ScopedRandomSource scoped(a);
  EXPECT_EQ(&randomSource(), &a);
}

}  // namespace
