#include "core/Numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace hs {
namespace {

TEST(TruncToInt, TruncatesTowardZeroSaturatesAndMapsNanToZero) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const struct {
    double in;
    int out;
  } cases[] = {
      {inf, INT_MAX},
      {-inf, INT_MIN},
      {std::nan(""), 0},
      {-std::nan(""), 0},
      {2147483648.0, INT_MAX}, // 2^31
      {2147483647.0, INT_MAX},
      {2147483646.9, 2147483646},
      {-2147483648.0, INT_MIN}, // -2^31
      {-2147483648.9, INT_MIN},
      {-2147483649.0, INT_MIN},
      {-2147483647.9, -2147483647},
      {-0.5, 0},
      {-0.0, 0},
      {0.9999999999999999, 0},
      {1.0, 1},
      {-1.5, -1},
      {1e300, INT_MAX},
  };
  for (const auto &c : cases)
    EXPECT_EQ(truncToInt(c.in), c.out) << c.in;
}

TEST(ClampToInt, SaturatesSumsBeyondTheIntRange) {
  EXPECT_EQ(clampToInt(static_cast<long long>(INT_MAX) + 1), INT_MAX);
  EXPECT_EQ(clampToInt(static_cast<long long>(INT_MIN) - 1), INT_MIN);
  EXPECT_EQ(clampToInt(-7), -7);
}

} // namespace
} // namespace hs
