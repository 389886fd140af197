#include "ElevationRasters.h"
#include "io/PlaceData.h"
#include "support/DataTable.h"

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace {

using namespace hs;

// Runs command in the folder under a time limit; its output goes to run.out and run.err.
int inFolder(const TestFolder &f, const std::string &command) {
  const int s = std::system(
      ("cd '" + f.path() + "' && timeout -s KILL 120 " + command + " >run.out 2>run.err").c_str());
  return WIFEXITED(s) ? WEXITSTATUS(s) : -1;
}

TEST(ImportTool, ExitsForEachCommandLine) {
  TestFolder f;
  test::makeRaster(f, test::rasters()[0]);
  test::makeRaster(f, {.name = "flat.tif", .e = [](int, int) { return 3.0; }});
  for (const auto &row : test::dataTable("import_command_lines.txt")) {
    EXPECT_FALSE(std::filesystem::exists(f.file("x.png"))) << row[0];
    EXPECT_EQ(inFolder(f, HS_IMPORT_TOOL " " + row[0]), std::stoi(row[1])) << f.read("run.err");
    EXPECT_TRUE(f.read("run.out").starts_with(row.size() > 2 ? test::unescaped(row[2]) : ""))
        << row[0] << "\n"
        << f.read("run.out");
  }
}

// POV-Ray traces down onto each written PNG at the place data file's scale,
// at grid vertices, and finds e - lo within a level.
TEST(PovRay, TracesTheSourcesElevationsAboveTheLowest) {
  if (std::system("command -v povray >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "POV-Ray is not installed";
  TestFolder f;
  for (const test::Raster &r : test::rasters()) {
    test::makeRaster(f, r);
    const std::string cell = r.cellSize > 0 ? " --cell-size " + std::to_string(r.cellSize) : "";
    ASSERT_EQ(inFolder(f, HS_IMPORT_TOOL " " + r.name + " -o hf.png --place place.txt" + cell), 0)
        << f.read("run.err");
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
    inFolder(f, "povray +Itrace.pov -D -V +W16 +H16 -F");
    std::istringstream lines(f.read("run.err"));
    const auto [lo, hi, voids] = r.summary();
    const double tolerance = (hi - lo) * (1.0 / 65535 + 1e-6) + 1e-6;
    int hits = 0, x = 0, y = 0;
    double traced = 0;
    for (std::string word; lines >> word;)
      if (word == "L" && lines >> x >> y >> traced && ++hits > 0 && !std::isnan(r.at(x, y))) {
        ASSERT_NEAR(traced, r.at(x, y) - lo, tolerance) << r.name << " at " << x << "," << y;
      }
    EXPECT_EQ(hits, (r.w - 2) * (r.h - 2)) << r.name;
  }
}

} // namespace
