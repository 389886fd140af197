#include "export/ExportTool.h"
#include "io/PlaceData.h"
#include "support/TestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace hs;

const std::string kData = HS_TEST_DATA;
constexpr auto npos = std::string::npos;

// A place data file, the Targa it names and a palette that paints entry 240 with blue 0.
struct ExportFolder : TestFolder {
  ExportFolder() {
    std::filesystem::copy_file(kData + "/place_targa.txt", file("place.txt"));
    std::filesystem::copy_file(kData + "/tiny.tga", file("tiny.tga"));
    std::string pal;
    for (int i = 0; i < 256; ++i)
      pal += std::to_string(i) + "," + std::to_string(i) + "," + std::to_string(i == 240 ? 0 : i) +
             "\n";
    write("my.pal", pal);
  }
  std::map<std::string, std::string> files() const {
    std::map<std::string, std::string> all;
    for (const auto &entry : std::filesystem::directory_iterator(path()))
      if (entry.is_regular_file())
        all[entry.path().filename().string()] = read(entry.path().filename().string());
    return all;
  }
};

// On a copy of the data, so a faulty tool cannot spoil the goldens.
TEST(Export, EveryGoldenPlaceFileGivesItsGoldenIncludeFile) {
  TestFolder tmp;
  const std::string data = tmp.file("data");
  std::filesystem::copy(kData, data);
  int goldens = 0;
  for (const auto &entry : std::filesystem::directory_iterator(kData)) {
    const std::string inc = entry.path().filename().string();
    if (!inc.starts_with("place_") || !inc.ends_with(".inc"))
      continue;
    ++goldens;
    const std::string name = inc.substr(0, inc.size() - 4) + ".txt";
    const std::string expected = tmp.read("data/" + inc);
    const ToolRun toStdout = exportTool({name}, data);
    EXPECT_EQ(toStdout.out, expected) << name << toStdout.err;
    const ToolRun toFile = exportTool({name, tmp.file(inc)}, data);
    EXPECT_TRUE(toFile.exitCode == 0 && toFile.out.empty()) << name;
    EXPECT_EQ(tmp.read(inc), expected) << name;
  }
  EXPECT_GE(goldens, 3);
}

// A palette changes only what a fresh sample reads (height mode 7).
TEST(Export, HelpUsageAndPaletteOption) {
  ExportFolder f;
  const ToolRun help = exportTool({"--help"}, f.path());
  EXPECT_TRUE(help.exitCode == 0 && help.out.find("--palette FILE") != npos);
  EXPECT_EQ(exportTool({}, f.path()).exitCode, 2);
  EXPECT_EQ(exportTool({"--bogus", "place.txt"}, f.path()).exitCode, 2);
  const ToolRun r = exportTool({"--palette", "my.pal", "place.txt"}, f.path());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("#declare HS_Obj16=array[1]{\n<0.000000,0.000000,-100.000000>}"), npos)
      << r.out;
}

// A FIFO would block a tool for good and a device like /dev/zero never ends.
TEST(ExportRefusal, EachFailureSaysWhyAndWritesNothing) {
  ExportFolder f;
  f.write("out.inc", "earlier\n");
  const std::string head = "1,2,3,0,0\n4,5,6,0,0\n";
  f.write("look.txt", "1,2,3,0,0\n4,5\nx.tga\n1,1,1\n0,0,0\n");
  f.write("tga.txt", head + "no-such.tga\n1,1,1\n0,0,0\n");
  f.write("ppm.txt", head + "no-such.ppm\n1,1,1\n0,0,1\n");
  f.write("p\xfe.txt", f.read("place.txt"));
  std::filesystem::create_symlink("place.txt", f.file("link.txt"));
  std::filesystem::create_hard_link(f.file("tiny.tga"), f.file("hard.tga"));
  f.write("ro.inc", "earlier\n");
  f.write("ro.txt", f.read("place.txt"));
  for (const char *name : {"ro.inc", "ro.txt"})
    ::chmod(f.file(name).c_str(), 0444);
  std::vector<std::string> nodes = {"fifo"};
  makeFifo(f, "fifo");
  if (!makeZeroDevice(f, "zero").empty())
    nodes.push_back("zero");
  for (const std::string &node : nodes) {
    const auto named = [&node](std::string text) {
      for (std::size_t at; (at = text.find("NODE")) != npos;)
        text.replace(at, 4, node);
      return text;
    };
    f.write("nodes.txt", head + node + "\n1,1,1\n0,0,0\n");
    const auto before = f.files();
    for (const auto &row : test::dataTable("tool_refusals.txt")) {
      const ToolRun r =
          (row[0] == "export" ? exportTool : scatterTool)(words(named(row[1])), f.path());
      EXPECT_EQ(std::tuple(r.exitCode, r.out, r.err),
                std::tuple(1, "", named(test::unescaped(row[2])) + "\n"))
          << row[1];
      EXPECT_TRUE(f.files() == before) << row[1];
    }
    EXPECT_EQ(fileType(f.file(node)), node == "fifo" ? S_IFIFO : S_IFCHR);
  }
  struct stat st {};
  ASSERT_EQ(::stat(f.file("ro.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
  EXPECT_EQ(exportTool({"place.txt", "-"}, f.path()).out, exportTool({"place.txt"}, f.path()).out);
  EXPECT_FALSE(std::filesystem::exists(f.file("-")));
}

TEST(ExportRefusal, RunningOutOfMemoryIsAMessageNotAnAbort) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
#else
  ExportFolder f;
  const std::string place = f.read("place.txt");
  std::string big = place.substr(0, place.find("1,3  type number")) + "1,4000000  type number\n";
  for (int k = 0; k < 4'000'000; ++k)
    big += "0,0,0,0,0\n";
  f.write("big.txt", big);
  const std::string tool = HS_EXPORT_TOOL, limit = "--as=" + std::to_string(256 << 20);
  // Room for a small file, so it is the objects that do not fit.
  const ToolRun small = runRaw({"prlimit", limit, tool, "place.txt", "small.inc"}, f.path());
  ASSERT_EQ(small.exitCode, 0) << small.err;
  const ToolRun r = runRaw({"prlimit", limit, tool, "big.txt", "big.inc"}, f.path());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.starts_with("Not enough memory")) << r.err;
  EXPECT_FALSE(std::filesystem::exists(f.file("big.inc")));
#endif
}

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
    QFile in(QString::fromStdString(file(name)));
    PlaceData d;
    EXPECT_TRUE(in.open(QIODevice::ReadOnly) && readPlaceData(in, d, 1'000'000) == 0) << name;
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
      // In the box, out of the lake, spaced from the object there, turned and sized in range.
      EXPECT_TRUE(i.x >= 4 && i.x <= 50 && i.z >= 4 && i.z <= 40 && !(i.x < 16 && i.z < 16) &&
                  std::hypot(i.x - 20, i.z - 20) >= 3.0 && i.turn >= 0 && i.turn <= 90 &&
                  i.size >= 0.5f && i.size <= 1.5f)
          << i.x << "," << i.z << " turned " << i.turn << " sized " << i.size;
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
