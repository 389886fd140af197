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

namespace {

using namespace hs;

TEST(PovRay, ObjectsOnASixteenBitPgmStandOnPovRaysGround) {
  if (std::system("command -v povray >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "POV-Ray is not installed";
  TestFolder f;
  for (const std::string name : {"hills16.pgm", "trace_hills16.txt", "trace_objects.pov"})
    std::filesystem::copy_file(HS_TEST_DATA "/" + name, f.file(name));
  std::filesystem::copy_file(HS_SAMPLES "/Preview.pov", f.file("Preview.pov"));
  ASSERT_EQ(exportTool({"trace_hills16.txt", "TestPlace.inc"}, f.path()).exitCode, 0);
  // Parsed and rendered at 16 x 16, with no display and no picture written.
  const ToolRun r = runRaw({"timeout", "-s", "KILL", "120", "povray", "+Itrace_objects.pov", "+W16",
                            "+H16", "-D", "-V", "-F"},
                           f.path());
  std::istringstream lines(r.err);
  int traced = 0;
  for (std::string word; lines >> word;) {
    double exported = 0;
    double ground = 0;
    if (word != "HS" || !(lines >> exported >> ground))
      continue;
    // A sample v is v / 65535 of the scale here, v / 65536 in POV-Ray.
    EXPECT_TRUE(exported >= ground && exported - ground <= 30.0 / 65536 + 2e-6)
        << exported << " " << ground;
    ++traced;
  }
  EXPECT_EQ(traced, 12) << r.err;
}

} // namespace
