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
constexpr auto npos = std::string::npos;

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
  const std::string args = "--box 4,4,50,40 --spacing 3 --no-water --slope=60 --turn 0:90 "
                           "--size 0.5:1.5 --mix 1:1,3:2 --seed 7 place.txt";
  const ToolRun run = scatterTool(words(args + " -o out.txt"), f.path());
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
  ASSERT_EQ(scatterTool(words(args + " -o out.txt"), f.path()).exitCode, 0);
  EXPECT_EQ(f.read("out.txt"), first);
  ASSERT_EQ(scatterTool(words(args + " --in-place"), f.path()).exitCode, 0);
  EXPECT_EQ(f.read("place.txt"), first);
}

TEST(ScatterTool, BadCommandLinesAndEmptyScatters) {
  ScatterFolder f;
  const std::string before = f.read("place.txt");
  for (const auto &row : test::dataTable("scatter_command_lines.txt")) {
    const ToolRun run = scatterTool(words(row[0]), f.path());
    const int status = std::stoi(row[1]);
    const std::string err = test::unescaped(row[3]);
    EXPECT_EQ(std::pair(run.exitCode, run.out), std::pair(status, test::unescaped(row[2])))
        << row[0];
    if (status == 2)
      EXPECT_TRUE(run.err.find(err) != npos && run.err.find("--help") != npos) << run.err;
    else
      EXPECT_EQ(run.err, err) << row[0];
  }
  EXPECT_EQ(f.read("place.txt"), before);
}

} // namespace
