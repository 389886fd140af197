#include "io/PovInclude.h"
#include "io/TextOut.h"
#include "terrain/Height.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

namespace hs {
namespace {

std::string includeText(const Scene &s, const ProgramValues &v, const WindowValues &w) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  EXPECT_EQ(writePovInclude(s, v, w, buffer), 0);
  return buffer.data().toStdString();
}

// The same file produced with printf itself, to hold the fast formatter to it.
std::string printfInclude(const Scene &s, const ProgramValues &v, const WindowValues &w) {
  std::string out;
  char line[2048];
  auto put = [&](auto... args) {
    std::snprintf(line, sizeof line, args...);
    out += line;
  };
  const PovPoint at = toPov(s, v, s.camera, 0.0f);
  put("#declare HS_At= <%f,%f,%f>;\n", at.x, at.y, at.z);
  const float camY = static_cast<float>(at.y);
  const PovPoint look = toPov(s, v, s.lookAt, camY);
  put("#declare HS_Look= <%f,%f,%f>;\n", look.x, look.y, look.z);
  put("#declare HS_Hf=\"%s\";\n", w.hfFileName.c_str());
  put("#declare HS_Hf_typ= %i;\n", s.hfType);
  put("#declare HS_Scale= <%f,%f,%f>;\n", v.scaleX, v.scaleY, v.scaleZ);
  put("#declare HS_Water= %f;\n", v.waterLevel / 255.0);
  put("#declare HS_Smooth= %i;\n\n", w.smoothOn);
  for (int t = 0; t < 16; ++t) {
    const int n = s.objects[t].count();
    if (n == 0)
      continue;
    put("#declare HS_Obj%i=array[%i]{\n", t + 1, n);
    for (int k = 0; k < n; ++k) {
      const PovPoint p = toPov(s, v, s.objects[t][k], camY);
      put("<%f,%f,%f>", p.x, p.y, p.z);
      if (k < n - 1)
        out += ',';
      if (k % 2 == 1)
        out += '\n';
    }
    out += "}\n";
  }
  return out;
}

TEST(FixedFormat, MatchesPrintfOnAwkwardAndRandomValues) {
  // Rounding ties, the sixth-decimal edge, huge and special values, then a
  // seeded sample of any bit patterns, wide magnitudes and float grid points.
  std::vector<double> values = {0.0,
                                -0.0,
                                0.0078125,
                                -0.0078125,
                                0.5e-6,
                                2.5e-6,
                                -4.9999995e-7,
                                1e-300,
                                1e300,
                                -1e308,
                                1.7976931348623157e308,
                                123456789.1234565,
                                0.1,
                                1.0 / 3,
                                INFINITY,
                                -INFINITY,
                                NAN,
                                -NAN,
                                4294967296.5};
  std::mt19937_64 gen(42);
  for (int i = 0; i < 6000; ++i) {
    const std::uint64_t u = gen();
    double v;
    if (i % 3 == 0) {
      std::memcpy(&v, &u, sizeof v); // any bit pattern at all
    } else if (i % 3 == 1) {
      v = std::ldexp(static_cast<double>(u >> 11), -static_cast<int>(u % 90));
      v = (u & 1) ? -v : v;
    } else {
      v = static_cast<double>(static_cast<float>(static_cast<std::int64_t>(u % 2000001) - 1000000) /
                              1024.0f);
    }
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

TEST(PovInclude, HeightsAreMeasuredAgainstTheCameraHeldAsAFloat) {
  Scene s;
  ProgramValues v;
  WindowValues w;
  s.camera = ScItem{199, 0, 199, AboveCamera, 1000.3};  // base 0: Y is the offset alone
  s.lookAt = ScItem{199, 0, 199, AboveCamera, 0.0};     // not above: the camera's Y
  s.objects[0].append(199, 255, 199, AboveCamera, 1.0); // 2001 is above it: kept
  s.objects[0].append(199, 20, 199, AboveWater, 0.5);   // under water: at the surface
  v.waterLevel = 50;
  v.scaleY = 2000;
  const std::string text = includeText(s, v, w);
  EXPECT_NE(text.find("HS_At= <0.000000,1000.300000,0.000000>"), std::string::npos) << text;
  // The camera's Y is held in single precision from there on.
  EXPECT_NE(text.find("HS_Look= <0.000000,1000.299988,0.000000>"), std::string::npos) << text;
  char water[64];
  std::snprintf(water, sizeof water, "<0.000000,%f,0.000000>", 50.0 / 255 * 2000 + 0.5);
  EXPECT_NE(text.find(std::string("<0.000000,2001.000000,0.000000>,") + water), std::string::npos)
      << text;
}

TEST(PovInclude, MatchesPrintfOnSmallArraysAndARandomScene) {
  Scene s;
  ProgramValues v;
  WindowValues w;
  // Arrays of three, two and one with empty types between: two elements a
  // line, empty types skipped.
  s.objects[15].append(0, 255, 199, AboveGround, 0.0);
  for (int i = 0; i < 5; ++i)
    s.objects[i < 3 ? 1 : 4].append(199, 0, 199, AboveGround, i);
  EXPECT_EQ(includeText(s, v, w), printfInclude(s, v, w));
  std::mt19937 gen(3);
  std::uniform_real_distribution<double> pos(-50, 450), h(-3, 300);
  for (int i = 0; i < 2000; ++i)
    s.objects[gen() % 16].append(pos(gen), h(gen), pos(gen), static_cast<int>(gen() % 4),
                                 h(gen) / 10);
  s.camera = ScItem{10.5, 77, 390.25, AboveCamera, 2.5};
  v.scaleX = 123.456f;
  v.scaleY = -7.5f;
  v.waterLevel = 33.3f;
  s.hfType = 1;
  w.smoothOn = 1;
  w.hfFileName = "plain name.ppm";
  EXPECT_EQ(includeText(s, v, w), printfInclude(s, v, w));
}

TEST(PovInclude, PpmWaterIsAFractionOf255AndNamesAreEscaped) {
  Scene s;
  ProgramValues v;
  WindowValues w;
  s.hfType = 1;
  v.waterLevel = 510;
  w.hfFileName = R"(C:\maps\a"b.ppm)";
  const std::string text = includeText(s, v, w);
  EXPECT_NE(text.find("#declare HS_Water= 2.000000;\n"), std::string::npos);
  EXPECT_NE(text.find(R"(#declare HS_Hf="C:\\maps\\a\"b.ppm";)"), std::string::npos) << text;
  EXPECT_EQ(povEscaped(R"(\\)"), R"(\\\\)");
}

TEST(PovInclude, OnePixelWideMapWritesTheCentreNotNan) {
  Scene s;
  ProgramValues v;
  WindowValues w;
  s.setMapSize(1, 1);
  s.objects[0].append(0, 0, 0, AboveGround, 0);
  const std::string text = includeText(s, v, w);
  EXPECT_EQ(text.find("nan"), std::string::npos);
  EXPECT_EQ(text.find("inf"), std::string::npos);
  EXPECT_NE(text.find("<0.000000,0.000000,0.000000>}"), std::string::npos);
}

} // namespace
} // namespace hs
