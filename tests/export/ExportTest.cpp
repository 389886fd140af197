#include "export/ExportTool.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

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

} // namespace
