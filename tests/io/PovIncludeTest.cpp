#include "io/PovInclude.h"
#include "core/TextOut.h"
#include "terrain/Height.h"

#include "support/DataTable.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

namespace hs {
namespace {

TEST(FixedFormat, MatchesPrintfOnAwkwardAndRandomValues) {
  std::vector<double> values;
  for (const auto &row : test::dataTable("fixed_values.txt"))
    values.push_back(std::strtod(row[0].c_str(), nullptr));
  std::mt19937_64 gen(42);
  for (int i = 0; i < 6000; ++i) {
    const std::uint64_t u = gen();
    double v =
        std::ldexp(static_cast<double>(u >> 11), -static_cast<int>(u % 90)) * (u & 1 ? -1 : 1);
    if (i % 3 == 0)
      std::memcpy(&v, &u, sizeof v); // any bit pattern at all
    else if (i % 3 == 2)
      v = static_cast<float>(static_cast<std::int64_t>(u % 2000001) - 1000000) / 1024.0f;
    values.push_back(v);
  }
  for (double v : values) {
    char mine[kFixedMaxChars + 1];
    *appendFixed6(mine, v) = '\0';
    char ref[400];
    std::snprintf(ref, sizeof ref, "%f", v);
    ASSERT_STREQ(mine, ref) << "bits of the value differ from printf";
  }
}

// The name escaped; a one-pixel-wide map gives the centre, not NaN; turn and size arrays only
// for types that have them, and a turn of -0 is no turn.
TEST(PovInclude, GoldenOfAnAwkwardScene) {
  Document d;
  d.setHfFileName(R"(C:\maps\a"b.ppm)");
  d.setMap(LRMemoryDC(1, 1));
  d.append(0, 0, 0, 0, AboveGround, 0);
  d.append(6, ScItem{199, 0, 199, AboveGround, 0.0, -0.0f, 1.0f});
  d.append(15, ScItem{199, 0, 199, AboveGround, 0.0});
  d.append(15, ScItem{199, 0, 199, AboveGround, 0.0, 0.0f, 3.0f});
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  EXPECT_EQ(writePovInclude(d, buffer), 0);
  std::ifstream in(HS_TEST_DATA "/awkward_scene.inc", std::ios::binary);
  EXPECT_EQ(buffer.data().toStdString(),
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  EXPECT_EQ(povEscaped(R"(\\)"), R"(\\\\)");
}

} // namespace
} // namespace hs
