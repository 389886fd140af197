// The real POV-Ray traces the exported objects down onto its own height field.
#include "export/ExportTool.h"
#include "support/TestFiles.h"
#include "terrain/HeightField.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace hs;

struct PovRay : ::testing::Test {
  void SetUp() override {
    if (std::system("command -v povray >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "POV-Ray is not installed";
  }
};

// Copies these files of tests/data, and the preview scene, into the folder.
void copyIn(const TestFolder &f, std::initializer_list<std::string> names) {
  for (const std::string &name : names)
    std::filesystem::copy_file(HS_TEST_DATA "/" + name, f.file(name));
  std::filesystem::copy_file(HS_SAMPLES "/Preview.pov", f.file("Preview.pov"));
}

ToolRun runPovRay(const std::string &scene, const TestFolder &f,
                  std::vector<std::string> size = {"+W16", "+H16", "-F"}) {
  size.insert(size.begin(), {"timeout", "-s", "KILL", "120", "povray", "+I" + scene, "-D", "-V"});
  return runRaw(size, f.path());
}

// The numbers after each tag that the scene's #debug lines wrote.
std::vector<std::vector<double>> traced(const std::string &err, const std::string &tag,
                                        std::size_t count) {
  std::istringstream lines(err);
  std::vector<std::vector<double>> out;
  for (std::string word; lines >> word;)
    if (word == tag)
      for (double &n : out.emplace_back(count))
        lines >> n;
  return out;
}

TEST_F(PovRay, ObjectsStandOnPovRaysGroundOnEveryKindOfMap) {
  for (const std::string path :
       {HS_TEST_DATA "/hills16.pgm", HS_TEST_DATA "/hills16.png", HS_SAMPLES "/Intro.tga",
        HS_SAMPLES "/Hills16.ppm", HS_SAMPLES "/Valley16.png"}) {
    TestFolder f;
    const std::string map = std::filesystem::path(path).filename();
    std::filesystem::copy_file(path, f.file(map));
    copyIn(f, {"trace_objects.pov", "trace_hills16.txt"});
    std::string place = f.read("trace_hills16.txt");
    f.write("trace_hills16.txt", place.replace(place.find("hills16.pgm"), 11, map));
    ASSERT_EQ(exportTool({"trace_hills16.txt", "TestPlace.inc"}, f.path()).exitCode, 0);
    const ToolRun r = runPovRay("trace_objects.pov", f);
    const double top = map.ends_with(".tga") ? 255 : 65535; // the highest sample
    const auto objects = traced(r.err, "HS", 2);
    // A sample v is v / top of the scale here, v / (top + 1) in POV-Ray.
    for (const auto &o : objects)
      EXPECT_NEAR(o[0] * top / (top + 1), o[1], 2e-6) << map;
    EXPECT_EQ(std::pair(r.exitCode, objects.size()), std::pair(0, std::size_t{12}))
        << r.err; // all rendered
  }
}

// A flag turned and sized about its base, before moving it to its place, is traced in
// trace_turned.pov; the whole preview differs once objects have a turn and size.
TEST_F(PovRay, PreviewSceneTurnsAndSizesObjectsThatHaveThem) {
  TestFolder f;
  copyIn(f, {"hills16.pgm", "trace_hills16.txt", "trace_turned.pov"});
  std::string place = f.read("trace_hills16.txt");
  f.write("plain.txt", place);
  for (const std::string object : {"2,0,2,7,0\n", "3,0,3,7,0\n"})
    place.replace(place.find(object), object.size(), object.substr(0, 9) + ",90,4\n");
  f.write("turned.txt", place);
  std::string pictures[2];
  for (int turned : {0, 1}) {
    const std::string name = turned ? "turned" : "plain";
    ASSERT_EQ(exportTool({name + ".txt", "TestPlace.inc"}, f.path()).exitCode, 0);
    EXPECT_EQ(f.read("TestPlace.inc").find("#declare HS_Turn1=array[12]{") != std::string::npos,
              turned == 1);
    const ToolRun r = runPovRay("Preview.pov", f, {"+W64", "+H48", "+FP", "+O" + name + ".ppm"});
    ASSERT_EQ(r.exitCode, 0) << name << r.err;
    // The pixels alone: the header carries the time of the render.
    const std::string ppm = f.read(name + ".ppm");
    ASSERT_GE(ppm.size(), 64u * 48 * 3) << name;
    pictures[turned] = ppm.substr(ppm.size() - 64 * 48 * 3);
  }
  EXPECT_NE(pictures[0], pictures[1]);
  const std::string err = runPovRay("trace_turned.pov", f).err;
  const auto met = traced(err, "F", 2), missed = traced(err, "M", 1);
  ASSERT_EQ(std::pair(met.size(), missed.size()), std::pair(std::size_t{1}, std::size_t{1})) << err;
  EXPECT_NEAR(met[0][0], met[0][1], 1e-5);
  EXPECT_EQ(missed[0][0], 0.0);
}

// Every 8-bit grey level (with and without gAMA), indices, 16-bit and POV-Ray's own.
TEST_F(PovRay, PngHeightsAreWherePovRayPutsTheGround) {
  std::vector<std::string> files;
  for (const char *name :
       {"levels8.png", "levels8_gamma.png", "levels8_indexed.png", "index4.png", "hills16.png"})
    files.push_back(HS_TEST_DATA "/" + std::string(name));
  const std::filesystem::path shipped = "/usr/share/povray-3.7/include";
  if (std::filesystem::is_directory(shipped))
    for (const auto &entry : std::filesystem::directory_iterator(shipped))
      if (entry.path().extension() == ".png")
        files.push_back(entry.path().string());
  TestFolder f;
  std::filesystem::copy_file(HS_TEST_DATA "/trace_levels.pov", f.file("trace_levels.pov"));
  for (const std::string &file : files) {
    LRMemoryDC image;
    ASSERT_EQ(readHeightFieldFile(file, PngMap, defaultPalette(), image), Loaded) << file;
    f.write("trace_file.inc", "#declare HS_File = \"" + file + "\";\n");
    const auto levels = traced(runPovRay("trace_levels.pov", f).err, "L", 3);
    // At (x, y), the level is red + 256 * green.
    for (const auto &l : levels)
      ASSERT_NEAR(l[2], image.readPixel(int(l[0]), int(l[1])) & 0xFFFF, 0.01)
          << file << " " << l[0] << "," << l[1];
    EXPECT_GE(int(levels.size()), std::min(256, (image.width() - 2) * (image.height() - 2)))
        << file;
  }
}

} // namespace
