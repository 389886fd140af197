// Objects exported onto a terrain stand where POV-Ray's own height field puts
// the ground: the preview scene is parsed by the real POV-Ray, which traces
// each object's position down onto it. Skipped where POV-Ray is not installed.
#include "export/ExportTool.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

namespace {

using namespace hs;

const std::string kData = HS_TEST_DATA;

// A 16-bit PGM terrain of 6 x 5 whose samples run through the awkward values.
// The header is laid out as Netpbm writes it: POV-Ray 3.7 hangs on a header
// written on one line.
std::string pgmTerrain() {
  const int samples[] = {0, 1, 255, 256, 258, 32767, 32768, 65534, 65535, 4660, 40000, 12345};
  std::string bytes = "P5\n6 5\n65535\n";
  for (int i = 0; i < 30; ++i) {
    const int v = samples[(i * 7) % 12];
    bytes += static_cast<char>(v >> 8);
    bytes += static_cast<char>(v & 255);
  }
  return bytes;
}

TEST(PovRay, ObjectsOnASixteenBitPgmStandOnPovRaysGround) {
  if (std::system("command -v povray >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "POV-Ray is not installed";
  TestFolder f;
  f.write("hills.pgm", pgmTerrain());
  // Every inner pixel, sampled afresh (mode 7); POV-Ray's trace misses the far edges.
  std::string place = "0,0,0,0,0\n5,0,4,0,0\nhills.pgm\n120,30,80\n0,0,3\n1,12\n";
  for (int z = 1; z < 4; ++z)
    for (int x = 1; x < 5; ++x)
      place += std::to_string(x) + ",0," + std::to_string(z) + ",7,0\n";
  f.write("place.txt", place);
  ASSERT_EQ(exportTool({"place.txt", "TestPlace.inc"}, f.path()).exitCode, 0);
  std::filesystem::copy_file(std::string(HS_SAMPLES) + "/Preview.pov", f.file("Preview.pov"));
  std::filesystem::copy_file(kData + "/trace_objects.pov", f.file("trace_objects.pov"));

  // Parsed and rendered at 16 x 16, with no display and no picture written.
  const ToolRun r = runRaw({"timeout", "-s", "KILL", "120", "povray", "+Itrace_objects.pov", "+W16",
                            "+H16", "-D", "-V", "-F"},
                           f.path());
  std::istringstream lines(r.err);
  int traced = 0;
  for (std::string word; lines >> word;) {
    if (word != "HS")
      continue;
    double exported = 0;
    double ground = 0;
    lines >> exported >> ground;
    // A sample v is v / 65535 of the scale here, v / 65536 in POV-Ray.
    EXPECT_LE(std::abs(exported - ground), 30.0 / 65536 + 2e-6) << exported << " " << ground;
    EXPECT_GE(exported, ground);
    ++traced;
  }
  EXPECT_EQ(traced, 12) << r.err;
}

} // namespace
