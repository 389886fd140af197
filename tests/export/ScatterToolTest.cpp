#include "export/ExportTool.h"
#include "io/PlaceData.h"
#include "support/TestFiles.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace hs;

// A 64 x 48 16-bit map rising to the east with a lake in the north-west, and a place file.
struct ScatterFolder : TestFolder {
  ScatterFolder() {
    std::string map = "P5\n64 48\n65535\n";
    for (int z = 0; z < 48; ++z)
      for (int x = 0; x < 64; ++x) {
        const int v = x < 16 && z < 16 ? 100 : 1000 + 900 * x;
        map += static_cast<char>(v >> 8);
        map += static_cast<char>(v & 255);
      }
    write("map.pgm", map);
    write("place.txt", "32,0,40,1,1 HS_At\n32,0,10,0,0 HS_Look\nmap.pgm\n"
                       "100,10,100 HS_Scale\n500,0,3 W Sm Ft\n1,1  type number\n20,0,20,0,0\n");
  }
  PlaceData data(const std::string &name) const {
    const std::string bytes = read(name);
    QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&raw);
    buffer.open(QIODevice::ReadOnly);
    PlaceData d;
    EXPECT_EQ(readPlaceData(buffer, d, 1'000'000), 0) << name;
    return d;
  }
};

TEST(ScatterTool, ScattersByTheRulesAndTheSeed) {
  ScatterFolder f;
  const std::vector<std::string> args = {
      "--box",  "4,4,50,40", "--spacing", "3",       "--no-water", "--slope=60", "--turn",   "0:90",
      "--size", "0.5:1.5",   "--mix",     "1:1,3:2", "--seed",     "7",          "place.txt"};
  std::vector<std::string> toFile = args;
  toFile.insert(toFile.end(), {"-o", "out.txt"});
  const ToolRun run = scatterTool(toFile, f.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const PlaceData d = f.data("out.txt");
  const long long placed = d.objectCount - 1;
  EXPECT_EQ(run.out, "Placed " + std::to_string(placed) + " objects.\n");
  EXPECT_GT(placed, 50);
  EXPECT_EQ(d.objects[0].size() + d.objects[2].size(), static_cast<std::size_t>(d.objectCount));
  int turned = 0;
  for (int t : {0, 2})
    for (const ScItem &i : d.objects[static_cast<std::size_t>(t)]) {
      turned += i.turn != 0 ? 1 : 0;
      if (i.x == 20 && i.z == 20 && t == 0)
        continue; // the object that was there
      EXPECT_TRUE(i.x >= 4 && i.x <= 50 && i.z >= 4 && i.z <= 40) << i.x << "," << i.z;
      EXPECT_FALSE(i.x < 16 && i.z < 16) << "in the lake at " << i.x << "," << i.z;
      EXPECT_GE(std::hypot(i.x - 20, i.z - 20), 3.0);
      EXPECT_TRUE(i.turn >= 0 && i.turn <= 90 && i.size >= 0.5f && i.size <= 1.5f) << i.turn;
    }
  EXPECT_EQ(turned, placed); // each its own, kept by the file
  const std::string first = f.read("out.txt");
  ASSERT_EQ(scatterTool(toFile, f.path()).exitCode, 0);
  EXPECT_EQ(f.read("out.txt"), first);
  std::vector<std::string> inPlace = args;
  inPlace.push_back("--in-place");
  ASSERT_EQ(scatterTool(inPlace, f.path()).exitCode, 0);
  EXPECT_EQ(f.read("place.txt"), first);
}

TEST(ScatterTool, BadCommandLinesAndEmptyScatters) {
  ScatterFolder f;
  const std::string before = f.read("place.txt");
  const struct {
    std::vector<std::string> args;
    const char *message;
  } cases[] = {
      {{"place.txt"}, "give either -o FILE or --in-place"},
      {{"place.txt", "-o", "a.txt", "--in-place"}, "give either -o FILE or --in-place"},
      {{"-o", "a.txt"}, "no place data file given"},
      {{"place.txt", "b.txt", "-o", "a.txt"}, "more than one place data file given"},
      {{"place.txt", "--in-place", "--type", "17"}, "bad value for --type: '17'"},
      {{"place.txt", "--in-place", "--type", "2", "--mix", "1:1"}, "either --type or --mix"},
      {{"place.txt", "--in-place", "--mix", "1:1,x"}, "bad value for --mix"},
      {{"place.txt", "--in-place", "--mix", "17:1"}, "bad value for --mix"},
      {{"place.txt", "--in-place", "--count", "0"}, "bad value for --count"},
      {{"place.txt", "--in-place", "--spacing", "0.5"}, "bad value for --spacing"},
      {{"place.txt", "--in-place", "--altitude", "5:1"}, "bad value for --altitude"},
      {{"place.txt", "--in-place", "--altitude", "5"}, "bad value for --altitude"},
      {{"place.txt", "--in-place", "--slope", "91"}, "bad value for --slope"},
      {{"place.txt", "--in-place", "--size", "0:1"}, "bad value for --size"},
      {{"place.txt", "--in-place", "--turn", "1:2:3"}, "bad value for --turn"},
      // Finite as text, not as a float.
      {{"place.txt", "--in-place", "--turn", "0:1e39"}, "bad value for --turn"},
      {{"place.txt", "--in-place", "--turn", "0:1e308"}, "bad value for --turn"},
      {{"place.txt", "--in-place", "--size", "1:1e39"}, "bad value for --size"},
      {{"place.txt", "--in-place", "--mix", "1:1e308,2:1e308"}, "bad value for --mix"},
      {{"place.txt", "--in-place", "--seed", "-1"}, "bad value for --seed"},
      {{"place.txt", "--in-place", "--box", "1,2,3"}, "bad value for --box"},
      {{"place.txt", "--in-place", "--ellipse", "1,2,-3,4"}, "bad value for --ellipse"},
      {{"place.txt", "--in-place", "--box", "1,2,3,4", "--ellipse", "1,2,3,4"}, "at most one"},
      {{"place.txt", "--in-place", "--seed"}, "option --seed needs a value"},
      {{"place.txt", "--in-place", "--colour", "red"}, "unknown option --colour"},
  };
  for (const auto &c : cases) {
    const ToolRun run = scatterTool(c.args, f.path());
    EXPECT_EQ(run.exitCode, 2) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;
  }
  EXPECT_EQ(f.read("place.txt"), before);

  const ToolRun missing = scatterTool({"none.txt", "-o", "a.txt"}, f.path());
  EXPECT_EQ(std::pair(missing.exitCode, missing.err),
            std::pair(1, std::string("hillstrew-scatter: Load DAT file ERROR\n")));
  const ToolRun overMap = scatterTool({"place.txt", "-o", "map.pgm"}, f.path());
  EXPECT_EQ(overMap.exitCode, 1);
  EXPECT_NE(overMap.err.find("is the height field this scatter reads"), std::string::npos);

  const ToolRun row =
      scatterTool({"place.txt", "-o", "a.txt", "--ellipse", "40,30,20,0.5"}, f.path());
  EXPECT_EQ(std::pair(row.exitCode, row.out), std::pair(0, std::string("Placed 7 objects.\n")));

  const ToolRun none = scatterTool({"place.txt", "-o", "a.txt", "--altitude", "50:60"}, f.path());
  EXPECT_EQ(none.exitCode, 0);
  EXPECT_EQ(none.out, "Placed 0 objects.\n");
  EXPECT_EQ(none.err, "Nothing was scattered: no ground between 50 and 60 in this region.\n");
}

TEST(ScatterTool, WritesOnlyOverWritableRegularFiles) {
  ScatterFolder f;
  ::chmod(f.file("place.txt").c_str(), 0444);
  std::vector<std::string> nodes = {makeFifo(f, "fifo")};
  if (!makeZeroDevice(f, "zero").empty())
    nodes.push_back("zero");
  for (const std::string &node : nodes) {
    const std::string name = node.substr(node.rfind('/') + 1);
    for (const auto &[args, message] :
         {std::pair{std::vector<std::string>{"place.txt", "-o", name},
                    ": not a regular file; nothing was written"},
          std::pair{std::vector<std::string>{name, "-o", "a.txt"},
                    ": not a regular file; nothing was read"},
          std::pair{std::vector<std::string>{"place.txt", "--palette", name, "-o", "a.txt"},
                    ": not a regular file; nothing was read"}}) {
      const ToolRun r = scatterTool(args, f.path());
      EXPECT_EQ(r.err, "hillstrew-scatter: " + name + message + "\n");
      EXPECT_EQ(r.exitCode, 1);
    }
    EXPECT_EQ(fileType(node), name == "fifo" ? S_IFIFO : S_IFCHR);
  }
  const ToolRun ro = scatterTool({"place.txt", "--in-place"}, f.path());
  EXPECT_EQ(ro.err, "hillstrew-scatter: place.txt is read-only; nothing was written\n");
  struct stat st {};
  ASSERT_EQ(::stat(f.file("place.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
  EXPECT_FALSE(std::filesystem::exists(f.file("a.txt")));
}

} // namespace
