#include "core/Numbers.h"

#include "support/DataTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

namespace hs {
namespace {

TEST(TruncToInt, TruncatesTowardZeroSaturatesAndMapsNanToZero) {
  for (const auto &row : test::dataTable("trunc_to_int.txt"))
    EXPECT_EQ(truncToInt(std::strtod(row[0].c_str(), nullptr)), std::stoi(row[1])) << row[0];
}

TEST(ClampToInt, SaturatesSumsBeyondTheIntRange) {
  EXPECT_EQ(clampToInt(static_cast<long long>(INT_MAX) + 1), INT_MAX);
  EXPECT_EQ(clampToInt(static_cast<long long>(INT_MIN) - 1), INT_MIN);
  EXPECT_EQ(clampToInt(-7), -7);
}

} // namespace
} // namespace hs
