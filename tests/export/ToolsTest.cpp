#include "io/PlaceData.h"
#include "support/DataTable.h"
#include "support/TestFiles.h"
#include "terrain/HeightField.h"
#include "terrain/HeightFieldFormats.h"
#include "terrain/Palette.h"

#include <QImage>
#include <QLineF>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace hs;

struct ToolRun {
  int exitCode = -1; // -1 when the program did not end by itself
  std::string out;
  std::string err;
};

// Runs argv (found on PATH) with raw-byte arguments, which QProcess cannot pass.
inline ToolRun runRaw(const std::vector<std::string> &argv, const std::string &workDir) {
  std::FILE *files[] = {std::tmpfile(), std::tmpfile()};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
  for (int fd : {1, 2})
    posix_spawn_file_actions_adddup2(&actions, fileno(files[fd - 1]), fd);
  std::vector<char *> args;
  for (const std::string &a : argv)
    args.push_back(const_cast<char *>(a.c_str()));
  args.push_back(nullptr);
  ToolRun r;
  pid_t pid = 0;
  int status = 0;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0 &&
      waitpid(pid, &status, 0) == pid && WIFEXITED(status))
    r.exitCode = WEXITSTATUS(status);
  posix_spawn_file_actions_destroy(&actions);
  for (int k : {0, 1}) {
    std::rewind(files[k]);
    for (int c; (c = std::fgetc(files[k])) != EOF;)
      (k ? r.err : r.out) += static_cast<char>(c);
    std::fclose(files[k]);
  }
  return r;
}

// Ended after 30 s: a read that blocks fails the test instead of hanging it.
inline ToolRun tool(const char *program, std::vector<std::string> args, const std::string &dir) {
  args.insert(args.begin(), {"timeout", "30", program});
  return runRaw(args, dir);
}
using Tool = std::function<ToolRun(std::vector<std::string>, const std::string &)>;
const Tool exportTool = std::bind_front(tool, HS_EXPORT_TOOL);
const Tool scatterTool = std::bind_front(tool, HS_SCATTER_TOOL);
const Tool view3dTool = std::bind_front(tool, HS_VIEW3D_TOOL);

// A table's command line: split at spaces, \xHH a byte.
inline std::vector<std::string> words(const std::string &line) {
  std::istringstream in(line);
  std::vector<std::string> out;
  for (std::string word; in >> word;)
    out.push_back(test::unescaped(word));
  return out;
}

const std::string kData = HS_TEST_DATA;
constexpr auto npos = std::string::npos;

// A place data file, the Targa it names and a palette that paints entry 240 with blue 0.
struct ExportFolder : TestFolder {
  ExportFolder() {
    std::filesystem::copy_file(kData + "/place_targa.txt", file("place.txt"));
    std::filesystem::copy_file(kData + "/tiny.tga", file("tiny.tga"));
    std::filesystem::copy_file(kData + "/grey.pal", file("my.pal")); // entry i is (i, i, i)
    std::string pal = read("my.pal");
    write("my.pal", pal.replace(pal.find("240,240,240"), 11, "240,240,0"));
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
    const auto named = [&node, &f](std::string text) {
      for (std::size_t at; (at = text.find("NODE")) != npos;)
        text.replace(at, 4, node);
      for (std::size_t at = 0; (at = text.find("DIR", at)) != npos; at += f.path().size())
        text.replace(at, 3, f.path());
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
    for (int p = 0; p < 64 * 48; ++p) {
      const int x = p % 64, v = x < 16 && p < 16 * 64 ? 100 : 1000 + 900 * x;
      map += {static_cast<char>(v >> 8), static_cast<char>(v & 255)};
    }
    write("map.pgm", map);
    write("place.txt", "32,0,40,1,1 HS_At\n32,0,10,0,0 HS_Look\nmap.pgm\n"
                       "100,10,100 HS_Scale\n500,0,3 W Sm Ft\n1,1  type number\n20,0,20,0,0\n");
    write("bad.txt", "1,2\n3;4\n");
    write("black.pgm", std::string("P5\n1 1\n255\n\0", 12));
  }
};

TEST(ScatterTool, ScattersByTheRulesAndTheSeed) {
  ScatterFolder f;
  const std::string args = "--box 4,4,50,40 --spacing 3 --no-water --slope=60 --turn 0:90 "
                           "--size 0.5:1.5 --mix 1:1,3:2 --seed 7 place.txt";
  const ToolRun run = scatterTool(words(args + " -o out.txt"), f.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  Document d;
  ASSERT_EQ(loadPlaceData(d, f.file("out.txt")), 0);
  const long long placed = d.objectCount() - 1;
  EXPECT_EQ(run.out, "Placed " + std::to_string(placed) + " objects.\n");
  EXPECT_GT(placed, 50);
  EXPECT_EQ(d.objects()[0].count() + d.objects()[2].count(), d.objectCount());
  int turned = 0;
  for (int t : {0, 2})
    for (const ScItem &i : d.objects()[static_cast<std::size_t>(t)]) {
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

// The areas of the file and of --exclude stay empty, the black of --mask too; the areas are
// written back, and the export reads the file.
TEST(ScatterTool, AreasAndADensityImage) {
  ScatterFolder f;
  f.write("place.txt", f.read("place.txt") + "\nArea 40.5,-1 70,-1 70,20.5 40.5,20.5\n");
  f.write("ex.txt", "40.5,30.5\n70,30.5\n70,60\n\n-1,-1\n8.5,-1\n8.5,60\n-1,60\n");
  f.write("mask.pgm", std::string("P5\n1 2\n255\n\xff\x00", 14)); // black below z = 24
  const ToolRun run = scatterTool(words("place.txt --spacing 1 --exclude ex.txt --mask mask.pgm "
                                        "--radius 1:0.5 -o out.txt"),
                                  f.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  Document d;
  ASSERT_EQ(loadPlaceData(d, f.file("out.txt")), 0);
  EXPECT_GT(d.objectCount(), 100);
  for (const ScItem &i : d.objects()[0])
    ASSERT_TRUE(i.z < 24 && !(i.x > 40.5 && i.z < 20.5) && i.x > 8.5) << i.x << "," << i.z;
  EXPECT_NE(f.read("out.txt").find("\n\nArea 40.5,-1 70,-1 70,20.5 40.5,20.5\n"), npos);
  EXPECT_EQ(exportTool({"out.txt"}, f.path()).exitCode, 0);
}

// Names found from the file's folder, or beside it; the scatter's relative to where it writes.
TEST(ScatterTool, AMovedProjectFindsItsMapAndOutputsNameItFromTheirFolder) {
  ExportFolder f;
  std::filesystem::create_directories(f.file("run"));
  f.write("old.txt", "1,2,3,0,0\n4,5,6,0,0\n/no/where/tiny.tga\n1,1,1\n0,0,0\n");
  const ToolRun old = exportTool({"../old.txt"}, f.file("run"));
  for (const char *out : {"a.txt", "../b.txt"})
    ASSERT_EQ(scatterTool({"../place.txt", "--count", "1", "-o", out}, f.file("run")).exitCode, 0);
  const std::string map = f.file("tiny.tga");
  EXPECT_EQ(std::tuple(old.exitCode, old.out.find("HS_Hf=\"" + map + "\"") != npos,
                       f.read("run/a.txt").find("\n" + map + "\n") != npos,
                       f.read("b.txt").find("\ntiny.tga\n") != npos, old.err),
            std::tuple(0, true, true, true,
                       "hillstrew-export: /no/where/tiny.tga\nwas not found; using\n" + map +
                           "\nbeside old.txt.\n"));
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

// The real POV-Ray traces the exported objects down onto its own height field.
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
    pictures[turned] = ppm.substr(ppm.size() - 64u * 48 * 3);
  }
  EXPECT_NE(pictures[0], pictures[1]);
  const std::string err = runPovRay("trace_turned.pov", f).err;
  const auto met = traced(err, "F", 2), missed = traced(err, "M", 1);
  ASSERT_EQ(std::pair(met.size(), missed.size()), std::pair(std::size_t{1}, std::size_t{1})) << err;
  EXPECT_NEAR(met[0][0], met[0][1], 1e-5);
  EXPECT_EQ(missed[0][0], 0.0);
  // A type the scene does not know stops it with a word on what to do.
  std::string include = f.read("TestPlace.inc");
  f.write("TestPlace.inc", include.replace(include.find("HS_Hf_typ= 3"), 12, "HS_Hf_typ= 9"));
  const ToolRun unknown = runPovRay("Preview.pov", f);
  EXPECT_NE(unknown.err.find("Preview.pov does not know height-field type 9"), std::string::npos)
      << unknown.err;
}

// Every 8-bit grey level (with and without gAMA), indices, 16-bit, colour and
// grey with alpha at both depths, POV-Ray's own PNGs, and true-colour Targas.
TEST_F(PovRay, HeightsAreWherePovRayPutsTheGround) {
  std::vector<std::pair<std::string, int>> files;
  for (const char *name :
       {"levels8.png", "levels8_gamma.png", "levels8_indexed.png", "index4.png", "hills16.png",
        "rgb8.png", "rgba8.png", "grey_alpha8.png", "grey_alpha16.png", "rgb16.png", "rgba16.png",
        "truecolour24.tga", "truecolour32_rle.tga"})
    files.emplace_back(HS_TEST_DATA "/" + std::string(name),
                       std::string_view(name).ends_with(".tga") ? TrueColourTargaMap : PngMap);
  const std::filesystem::path shipped = "/usr/share/povray-3.7/include";
  if (std::filesystem::is_directory(shipped))
    for (const auto &entry : std::filesystem::directory_iterator(shipped))
      if (entry.path().extension() == ".png")
        files.emplace_back(entry.path().string(), PngMap);
  TestFolder f;
  std::filesystem::copy_file(HS_TEST_DATA "/trace_levels.pov", f.file("trace_levels.pov"));
  for (const auto &[file, type] : files) {
    LRMemoryDC image;
    ASSERT_EQ(readHeightFieldFile(file, type, defaultPalette(), image), Loaded) << file;
    f.write("trace_file.inc", "#declare HS_File = \"" + file + "\";\n#macro HS_Format() " +
                                  heightFieldFormat(type)->povKeyword + " #end\n");
    const auto levels = traced(runPovRay("trace_levels.pov", f).err, "L", 3);
    // At (x, y), the level is red + 256 * green.
    for (const auto &l : levels)
      ASSERT_NEAR(l[2], image.readPixel(int(l[0]), int(l[1])) & 0xFFFF, 0.01)
          << file << " " << l[0] << "," << l[1];
    EXPECT_GE(int(levels.size()), std::min(256, (image.width() - 2) * (image.height() - 2)))
        << file;
  }
}

// The preview scene drawn flat, from its own camera statement on black, with
// no light: the terrain in ground, every object's shape in shape.
void writeFlatScene(const TestFolder &f, const std::string &ground, const std::string &shape) {
  const std::string preview = f.read("Preview.pov"), flat = " finish { ambient 1 diffuse 0 } ";
  const std::size_t camera = preview.find("camera {");
  std::string objects = preview.substr(preview.find("#declare U ="));
  const std::size_t paint = objects.find("#macro Paint(C)");
  objects.replace(paint, objects.find('\n', paint) - paint,
                  "#macro Paint(C) pigment { " + shape + " }" + flat + "#end");
  f.write("flat.pov", preview.substr(0, preview.find("object {\n  HS_Terrain")) +
                          "object { HS_Terrain pigment { " + ground + " }" + flat +
                          "}\nbackground { rgb 0 }\n" +
                          preview.substr(camera, preview.find('}', camera) + 1 - camera) + "\n" +
                          objects);
}

// A place data file on map with the camera and the look-at point at fractions
// of the map's width and height (column, row, height above the ground), scaled
// 100 x 15 x 100, then objects.
std::string placeFile(const std::string &map, int type, const double (&c)[6],
                      const std::string &objects = {}) {
  LRMemoryDC image;
  EXPECT_EQ(readHeightFieldFile(map, type, defaultPalette(), image), Loaded) << map;
  const double w = image.width() - 1, h = image.height() - 1;
  std::ostringstream place;
  place << c[0] * w << ",0," << c[1] * h << ",0," << c[2] << '\n'
        << c[3] * w << ",0," << c[4] * h << ",0," << c[5] << '\n'
        << map << "\n100,15,100\n0,0," << type << '\n'
        << objects;
  return place.str();
}

// hillstrew-view3d with these options and POV-Ray on flat.pov, both 160 x 120;
// false when there is no OpenGL here.
bool renderBoth(const TestFolder &f, std::vector<std::string> options) {
  EXPECT_EQ(exportTool({"place.txt", "TestPlace.inc"}, f.path()).exitCode, 0);
  options.insert(options.begin(), {"place.txt", "-o", "view.png", "--size", "160x120", "--no-water",
                                   "--background", "000000"});
  const ToolRun view = view3dTool(options, f.path());
  if (view.exitCode == 1 && view.err.find("OpenGL") != npos)
    return false;
  EXPECT_EQ(view.exitCode, 0) << view.err;
  EXPECT_EQ(runPovRay("flat.pov", f, {"+W160", "+H120", "+FN", "+Opov.png"}).exitCode, 0);
  return true;
}

// The terrain alone, white on black, as POV-Ray draws it and as the 3D view
// draws it: the ground and the sky cover the same pixels, on every kind of
// map, looking across, from high above a corner (the map's edges in sight)
// and from outside the map.
TEST_F(PovRay, TheViewSeesTheGroundWherePovRayDoes) {
  const std::pair<std::string, int> maps[] = {{HS_SAMPLES "/Intro.tga", 0},
                                              {HS_SAMPLES "/Hills16.ppm", 1},
                                              {HS_SAMPLES "/Valley16.png", 2},
                                              {HS_TEST_DATA "/hills16.pgm", 3},
                                              {HS_TEST_DATA "/truecolour24.tga", 4}};
  const double cameras[][6] = {
      {0.5, 0.97, 16, 0.5, 0.3, 0}, {0.0, 0.0, 90, 0.5, 0.5, 0}, {-0.6, 1.7, 25, 0.6, 0.4, 0}};
  TestFolder f;
  copyIn(f, {});
  writeFlatScene(f, "rgb 1", "rgb 0");
  for (const auto &[map, type] : maps)
    for (const auto &c : cameras) {
      f.write("place.txt", placeFile(map, type, c));
      if (!renderBoth(f, {"--no-objects"}))
        GTEST_SKIP() << "no OpenGL here";
      const QImage pov(QString::fromStdString(f.file("pov.png")));
      const QImage ours(QString::fromStdString(f.file("view.png")));
      ASSERT_EQ(pov.size(), ours.size()) << map;
      int both[2] = {}, either[2] = {}; // ground, sky
      for (int y = 0; y < pov.height(); ++y)
        for (int x = 0; x < pov.width(); ++x) {
          const bool a = qGray(pov.pixel(x, y)) > 127, b = qGray(ours.pixel(x, y)) > 8;
          for (int k : {0, 1}) {
            both[k] += (a == (k == 0)) && (b == (k == 0));
            either[k] += (a == (k == 0)) || (b == (k == 0));
          }
        }
      for (int k : {0, 1})
        EXPECT_GE(either[k] ? double(both[k]) / either[k] : 1.0, 0.97)
            << map << " camera at " << c[0] << "," << c[1] << (k ? " sky" : " ground");
    }
}

// A large box (type 3, blue in the view, white in POV-Ray over black ground),
// turned and sized, shows where POV-Ray draws it: centroids within 3 pixels.
TEST_F(PovRay, TheViewDrawsObjectsWherePovRayDoes) {
  TestFolder f;
  copyIn(f, {});
  writeFlatScene(f, "rgb 0", "rgb 1");
  const double cameras[][6] = {{0.0, 0.0, 90, 0.5, 0.5, 0}, {0.5, 0.97, 30, 0.5, 0.4, 0}};
  const char *boxes[] = {"3,1\n255,0,255,7,0,0,6\n", "3,1\n180,0,300,7,0,30,8\n",
                         "3,1\n330,0,230,7,0,60,5\n"};
  for (const auto &c : cameras)
    for (const char *box : boxes) {
      f.write("place.txt", placeFile(HS_SAMPLES "/Hills16.ppm", 1, c, box));
      if (!renderBoth(f, {}))
        GTEST_SKIP() << "no OpenGL here";
      const QImage pov(QString::fromStdString(f.file("pov.png")));
      const QImage ours(QString::fromStdString(f.file("view.png")));
      double count[2] = {};
      QPointF sum[2];
      for (int y = 0; y < pov.height(); ++y)
        for (int x = 0; x < pov.width(); ++x) {
          const QRgb o = ours.pixel(x, y);
          const bool in[2] = {qGray(pov.pixel(x, y)) > 127,
                              qBlue(o) > 40 && qBlue(o) > 2 * qRed(o) && qBlue(o) > 2 * qGreen(o)};
          for (int k : {0, 1}) {
            count[k] += in[k];
            sum[k] += in[k] ? QPointF(x, y) : QPointF();
          }
        }
      ASSERT_GT(count[0], 20) << box; // in sight
      EXPECT_LT(QLineF(sum[0] / count[0], sum[1] / count[1]).length(), 3.0) << box << c[2];
    }
}

// Bad command lines exit 2, files that cannot be read or written 1, and no
// display means no OpenGL, said in plain words.
TEST(View3dTool, ExitsAsItsUsageSays) {
  ExportFolder f;
  std::vector<std::pair<std::string, int>> rows = {
      {"", 2},
      {"place.txt", 2},
      {"place.txt -o", 2},
      {"place.txt other.txt -o a.png", 2},
      {"missing.txt -o a.png", 1},
      {"place.txt -o place.txt", 1},
      {"place.txt -o tiny.tga", 1},
      {"--help", 0},
      {"place.txt -o a.png --size 40x30 --orbit 30:20:50 --background ff8000", 0}};
  for (const char *bad : {"--size 0x5", "--size 10x", "--size 10.5x4", "--angle 180", "--bogus",
                          "--background 12345", "--background 12345g", "--orbit 1:2",
                          "--orbit 1:2:0", "--orbit 1:2:3:4", "--orbit 1:nan:3"})
    rows.emplace_back("place.txt -o a.png " + std::string(bad), 2);
  for (const auto &[line, status] : rows) {
    const ToolRun r = view3dTool(words(line), f.path());
    if (status == 0 && r.exitCode == 1 && r.err.find("OpenGL") != npos)
      continue; // no display here
    EXPECT_EQ(r.exitCode, status) << line << "\n" << r.err;
    EXPECT_EQ(r.err.find("hillstrew-view3d: ") != npos, status != 0) << line << "\n" << r.err;
  }
  EXPECT_EQ(f.read("place.txt"), ExportFolder().read("place.txt")); // never written over
  const QImage written(QString::fromStdString(f.file("a.png")));
  EXPECT_TRUE(written.isNull() || written.size() == QSize(40, 30));
  const ToolRun headless = runRaw(
      {"env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", HS_VIEW3D_TOOL, "place.txt", "-o", "b.png"},
      f.path());
  EXPECT_EQ(headless.exitCode, 1);
  EXPECT_TRUE(headless.err.ends_with( // Qt may say more before it
      "hillstrew-view3d: cannot render: no OpenGL context can be made (no display or no OpenGL "
      "driver); nothing was written\n"))
      << headless.err;
  EXPECT_FALSE(std::filesystem::exists(f.file("b.png")));
}

} // namespace
