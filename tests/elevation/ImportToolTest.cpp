#include "ElevationRasters.h"
#include "core/Document.h"
#include "io/PlaceData.h"

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace {

using namespace hs;

struct ToolRun {
  int status = -1;
  std::string out, err;
};

// Runs command in the folder under a time limit, catching its output.
ToolRun inFolder(const TestFolder &f, const std::string &command) {
  const int s = std::system(
      ("cd '" + f.path() + "' && timeout -s KILL 120 " + command + " >run.out 2>run.err").c_str());
  return {WIFEXITED(s) ? WEXITSTATUS(s) : -1, f.read("run.out"), f.read("run.err")};
}
ToolRun importTool(const TestFolder &f, const std::string &args) {
  return inFolder(f, HS_IMPORT_TOOL " " + args);
}

TEST(ImportTool, ExitsForEachCommandLine) {
  TestFolder f;
  test::makeRaster(f, test::rasters()[0]);
  test::makeRaster(f, {.name = "flat.tif", .e = [](int, int) { return 3.0; }});
  const std::pair<const char *, int> rows[] = {{"", 2},
                                               {"int16_utm.tif", 2},
                                               {"int16_utm.tif -o x.png --size 1", 2},
                                               {"int16_utm.tif -o x.png --cell-size=-3", 2},
                                               {"int16_utm.tif -o x.png --bogus", 2},
                                               {"none.tif -o x.png", 1},
                                               {"flat.tif -o x.png", 1},
                                               {"int16_utm.tif -o int16_utm.tif", 1},
                                               {"int16_utm.tif -o x.png --place int16_utm.tif", 1},
                                               {"int16_utm.tif -o x.png --place x.png", 1},
                                               {"--help", 0}};
  for (const auto &[args, status] : rows) {
    const ToolRun r = importTool(f, args);
    EXPECT_EQ(r.status, status) << args << "\n" << r.err;
    EXPECT_FALSE(std::filesystem::exists(f.file("x.png"))) << args;
    if (status == 0) {
      EXPECT_NE(r.out.find("USGS DEM (.dem), Erdas Imagine (.img)"), std::string::npos);
    }
  }
  const ToolRun r = importTool(f, "int16_utm.tif -o x.png");
  EXPECT_EQ(std::pair(r.status, r.out),
            std::pair(0, std::string("Lowest 100.000 m, highest 1398.000 m\n"
                                     "Pixel 30.000 x 30.000 m\n"
                                     "Scale 330.000000, 1298.019806, "
                                     "270.000000\n0 void cells filled\n")));
}

struct PovRay : ::testing::Test {
  void SetUp() override {
    if (std::system("command -v povray >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "POV-Ray is not installed";
  }
};

// POV-Ray traces down onto each written PNG at the place data file's scale,
// at grid vertices, and finds e - lo within a level.
TEST_F(PovRay, TracesTheSourcesElevationsAboveTheLowest) {
  TestFolder f;
  for (const test::Raster &r : test::rasters()) {
    test::makeRaster(f, r);
    const std::string cell = r.cellSize > 0 ? " --cell-size " + std::to_string(r.cellSize) : "";
    const ToolRun imported = importTool(f, r.name + " -o hf.png --place place.txt" + cell);
    ASSERT_EQ(imported.status, 0) << r.name << imported.err;
    Document d(Document::Recording::Off);
    ASSERT_EQ(loadPlaceData(d, f.file("place.txt")), 0);
    std::ostringstream scene;
    scene << "#declare S = <" << d.scaleX() << "," << d.scaleY() << "," << d.scaleZ() << ">;\n"
          << "#declare F = height_field { png \"hf.png\" scale S }\n"
          << "#for (Y, 1, " << r.h - 2 << ") #for (X, 1, " << r.w - 2 << ")\n"
          << "#declare N = <0, 0, 0>;\n"
          << "#declare P = trace(F, <X * S.x / " << r.w - 1 << ", 2 * S.y + 1, (1 - Y / " << r.h - 1
          << ") * S.z>, -y, N);\n"
          << "#if (vlength(N) > 0) #debug concat(\"L \", str(X, 0, 0), \" \", str(Y, 0, 0), "
          << "\" \", str(P.y, 0, 9), \"\\n\") #end\n#end #end\n";
    f.write("trace.pov", scene.str());
    std::istringstream lines(inFolder(f, "povray +Itrace.pov -D -V +W16 +H16 -F").err);
    const double lo = r.lo(), tolerance = (r.hi() - lo) * (1.0 / 65535 + 1e-6) + 1e-6;
    int hits = 0;
    for (std::string word; lines >> word;) {
      if (word != "L")
        continue;
      int x = 0, y = 0;
      double traced = 0;
      lines >> x >> y >> traced;
      ++hits;
      if (!std::isnan(r.at(x, y))) {
        ASSERT_NEAR(traced, r.at(x, y) - lo, tolerance) << r.name << " at " << x << "," << y;
      }
    }
    EXPECT_EQ(hits, (r.w - 2) * (r.h - 2)) << r.name;
  }
}

} // namespace
