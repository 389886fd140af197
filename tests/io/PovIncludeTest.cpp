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
#include <random>

namespace hs {
namespace {

struct PovInclude : ::testing::Test {
  std::string text() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(writePovInclude(d, buffer), 0);
    return buffer.data().toStdString();
  }
  Document d;
};

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

TEST_F(PovInclude, NamesAreEscaped) {
  d.setHfFileName(R"(C:\maps\a"b.ppm)");
  EXPECT_NE(text().find(R"(#declare HS_Hf="C:\\maps\\a\"b.ppm";)"), std::string::npos) << text();
  EXPECT_EQ(povEscaped(R"(\\)"), R"(\\\\)");
}

TEST_F(PovInclude, OnePixelWideMapWritesTheCentreNotNan) {
  d.setMap(LRMemoryDC(1, 1));
  d.append(0, 0, 0, 0, AboveGround, 0);
  const std::string text = this->text();
  EXPECT_EQ(text.find("nan"), std::string::npos);
  EXPECT_EQ(text.find("inf"), std::string::npos);
  EXPECT_NE(text.find("<0.000000,0.000000,0.000000>}"), std::string::npos);
}

// A turn of -0 is no turn.
TEST_F(PovInclude, TurnAndSizeArraysOnlyForTypesThatHaveThem) {
  d.append(6, ScItem{199, 0, 199, AboveGround, 0.0, -0.0f, 1.0f});
  d.append(15, ScItem{199, 0, 199, AboveGround, 0.0});
  d.append(15, ScItem{199, 0, 199, AboveGround, 0.0, 0.0f, 3.0f});
  const std::string text = this->text();
  EXPECT_EQ(
      text.substr(text.find("#declare HS_Obj7")),
      "#declare HS_Obj7=array[1]{\n<0.000000,0.000000,0.000000>}\n"
      "#declare HS_Obj16=array[2]{\n<0.000000,0.000000,0.000000>,<0.000000,0.000000,0.000000>\n}\n"
      "#declare HS_Turn16=array[2]{\n0.000000,0.000000\n}\n"
      "#declare HS_Size16=array[2]{\n1.000000,3.000000\n}\n");
}

} // namespace
} // namespace hs
