// Here, where the settings, palette and place data readers can all be reached.
#include "core/LineReader.h"
#include "core/Settings.h"
#include "core/TextOut.h"
#include "io/PlaceData.h"
#include "io/PovInclude.h"
#include "io/Render.h"
#include "io/RenderOutput.h"
#include "terrain/HeightField.h"
#include "terrain/Palette.h"

#include "support/DataTable.h"
#include "support/FakeServices.h"
#include "support/TestFiles.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

namespace hs {
namespace {

template <class Read>
auto fromBytes(const std::string &text, Read read, QIODevice::OpenMode mode = QIODevice::ReadOnly) {
  QByteArray bytes = QByteArray::fromStdString(text);
  QBuffer buffer(&bytes);
  buffer.open(mode);
  return read(buffer);
}

std::vector<std::string> lines(const std::string &text, long long limit = kDefaultReadLimit) {
  return fromBytes(text, [limit](QIODevice &device) {
    LineReader reader(device, limit);
    std::vector<std::string> out;
    std::string_view line;
    for (LineReader::Result r; (r = reader.next(line)) != LineReader::End;)
      out.push_back(r == LineReader::Line ? std::string(line) : "<too long>");
    return out;
  });
}

// Overlong lines are skipped whole; an input that never ends stops at the read limit.
TEST(LineReader, SplitsLinesSkipsOverlongOnesWholeAndStopsAtItsReadLimit) {
  EXPECT_EQ(lines(""), std::vector<std::string>{});
  EXPECT_EQ(lines("a\r\n\nb\r\r\nc"), (std::vector<std::string>{"a", "", "b\r", "c"}));
  EXPECT_EQ(lines("x\r"), std::vector<std::string>{"x"});
  EXPECT_EQ(lines(std::string("n\0ul\n", 5)), std::vector<std::string>{std::string("n\0ul", 4)});
  const std::string huge(3'000'000, 'h'); // larger than the reader's buffer
  EXPECT_EQ(lines("a\n" + huge + "\nb\n" + std::string(4096, 'o') + "\r\nc\n" + huge),
            (std::vector<std::string>{"a", "<too long>", "b", "<too long>", "c", "<too long>"}));
  EXPECT_EQ(lines("ab\ncd\n", 6), (std::vector<std::string>{"ab", "cd"}));
  EXPECT_EQ(lines("ab\ncd", 5), (std::vector<std::string>{"ab", "cd"}));
  EXPECT_EQ(lines("ab\ncd\ne", 6), (std::vector<std::string>{"ab", "cd", "<too long>"}));
  EXPECT_EQ(lines("ab\n" + std::string(20'000, 'x'), 9'000),
            (std::vector<std::string>{"ab", "<too long>"}));
}

// Up to 4095 bytes (the line end not counted) is read whole; longer is never cut or split.
TEST(LongLines, AreABadLineOfEachFile) {
  using Read = std::function<int(QIODevice &)>;
  // The settings reader has no result: this counts the values that stayed.
  const Read settings = [](QIODevice &device) {
    ProgramValues v;
    WindowValues w;
    Document d;
    d.setHfFileName("old");
    std::tie(w.paletteFileName, v.unitsMode) = std::pair("old", 7);
    readSettings(device, v, w, d);
    return int(d.hfFileName() == "old") + int(v.unitsMode == 7) + int(w.paletteFileName == "old");
  };
  const Read palette = [](QIODevice &device) {
    Palette p;
    return readPalette(device, p);
  };
  const Read place = [](QIODevice &device) {
    PlaceData d;
    return readPlaceData(device, d, 9);
  };
  const std::vector<std::string> ini = {"a", "b", "c", "1", "e", "f"}, pal(256, "1,2,3"),
                                 dat = {"1,2,3,0,0", "4,5,6,0,0", "h.tga",    "1,1,1",
                                        "0,0,0",     "1,1 type",  "7,8,9,0,0"};
  const std::tuple<const std::vector<std::string> &, const Read &, std::vector<std::size_t>, int>
      cases[] = {{ini, settings, {0, 3, 5}, 1},
                 {pal, palette, {0, 255}, PaletteBodyError},
                 {dat, place, {0, 2, 4}, PlaceDataBadHeader},
                 {dat, place, {1}, PlaceDataBadLookAt},
                 {dat, place, {5, 6}, PlaceDataBadObject}};
  for (const auto &[file, read, paddedLines, bad] : cases)
    for (std::size_t padded : paddedLines)
      for (const char *end : {"\n", "\r\n"})
        for (std::size_t length : {4095, 4096}) {
          std::string text;
          for (std::size_t i = 0; i < file.size(); ++i)
            text += file[i] + std::string(i == padded ? length - file[i].size() : 0, ' ') + end;
          EXPECT_EQ(fromBytes(text, read), length == 4095 ? 0 : bad)
              << text.substr(0, 12) << " line " << padded << ", " << length << " bytes";
        }
}

class PlaceDataFile : public ::testing::Test {
protected:
  int load(Document &doc, const std::string &text) {
    return loadPlaceData(doc, dir.write("place.txt", text));
  }
  int open(Document &doc, const std::string &text) {
    return openPlaceData(doc, defaultPalette(), dir.write("place.txt", text));
  }
  TestFolder dir;
};

const std::string kHead = "1,2,3,0,0.5 HS_At\n4,5,6,1,1.5 HS_Look\n/maps/hills.tga\n"
                          "50,5,60 HS_Scale\n12.5,1,0 W Sm Ft\n";

std::string golden(const std::string &name) { return readFile(HS_TEST_DATA "/" + name); }

std::string saved(const Document &doc,
                  int (*write)(const Document &, QIODevice &, const std::string &) = savePlaceData,
                  const std::string &namingFile = {}) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  EXPECT_EQ(write(doc, buffer, namingFile), 0);
  return buffer.data().toStdString();
}

TEST_F(PlaceDataFile, ObjectLinesTakeATurnAndSizeOnlyWhenBothAreThere) {
  for (const auto &row : test::dataTable("place_object_ends.txt")) {
    const std::string line = test::unescaped(row[0]);
    const std::vector<float> want = test::numbers<float>(row[1]);
    ASSERT_EQ(want.size(), 2u) << row[1];
    Document doc;
    ASSERT_EQ(load(doc, kHead + "1,1\n" + line + "\n"), 0) << line;
    EXPECT_EQ(doc.objects()[0][0], (ScItem{1, 2, 3, AboveGround, 4.5, want[0], want[1]})) << line;
  }
  Document doc;
  ASSERT_EQ(load(doc, "1,2,3,0,0.5,30,2 HS_At\n4,5,6,1,1.5,45,3\n" + kHead.substr(kHead.find('/'))),
            0);
  EXPECT_EQ(std::pair(doc.camera(), doc.lookAt()),
            std::pair(ScItem{1, 2, 3, 0, 0.5}, ScItem{4, 5, 6, 1, 1.5}));
}

// A turn of -0 is no turn; the camera and look-at lines never get one.
TEST_F(PlaceDataFile, GoldenFilesSaveBackAsThemselves) {
  Document written;
  written.setHfFileName("/home/me/Intro.tga");
  written.append(2, 1.25, 7, 3, AboveCamera, -0.1);
  written.setCamera(ScItem{200, 0, 300, AboveWater, 1.0, 30.0f, 1.0f});
  written.setLookAt(ScItem{200, 0, 100, AboveGround, 0.0, 0.0f, 2.0f});
  written.append(15, ScItem{1, 2, 3, AboveWater, 0.5, -0.0f, 1.0f});
  EXPECT_EQ(saved(written), golden("saved_scene.txt"));
  for (const std::string name : {"place_targa.txt", "place_turned.txt"}) {
    Document doc;
    ASSERT_EQ(loadPlaceData(doc, HS_TEST_DATA "/" + name), 0) << name;
    EXPECT_EQ(saved(doc, savePlaceData, HS_TEST_DATA "/" + name), golden(name)) << name;
    if (name == "place_turned.txt") {
      EXPECT_EQ(std::tuple(doc.objects()[0][0], doc.objects()[1][1], doc.objects()[4][0]),
                std::tuple(ScItem{0, 0, 0, 0, 0, 45.0f, 1.0f},
                           ScItem{2, 255, 1, 2, 0, 360.0f, kMinSize}, ScItem{0, 16, 1, 0, 0}));
    }
  }
}

TEST_F(PlaceDataFile, RoundTripRestoresEverythingToSinglePrecision) {
  Document a;
  std::mt19937 gen(9);
  std::uniform_real_distribution<double> d(-100, 1000);
  for (int i = 0; i < 30000; ++i) // enough to cross the reader's buffer several times
    a.append(gen() % 16, d(gen), d(gen), d(gen), static_cast<int>(gen() % 3), d(gen));
  a.setCamera(ScItem{0.1, 2, 3, AboveCamera, 0.25});
  a.setScale(0.1f, 10, 100);
  a.setWaterLevel(77.5f);
  a.setSmoothOn(1);
  a.setHfType(1);
  a.setHfFileName("/some dir/with, commas.ppm");
  const std::string name = dir.file("rt.txt");
  ASSERT_TRUE(PlaceDataExporter().write(a, name));
  Document b;
  ASSERT_EQ(loadPlaceData(b, name), 0);
  EXPECT_EQ(std::tuple(b.camera().x, b.scaleX(), b.waterLevel(), b.smoothOn(), b.hfType(),
                       b.hfFileType(), b.hfFileName()),
            std::tuple(double(0.1f), 0.1f, 77.5f, 1, 1, 1, a.hfFileName()));
  for (int t = 0; t < 16; ++t) {
    ASSERT_EQ(b.objects()[t].count(), a.objects()[t].count());
    for (int k = 0; k < a.objects()[t].count(); ++k) {
      const ScItem &x = a.objects()[t][k], &y = b.objects()[t][k];
      ASSERT_EQ(std::tuple(float(y.x), y.heightMode),
                std::tuple(std::strtof(std::to_string(x.x).c_str(), nullptr), x.heightMode));
    }
  }
  // Only sixteen sections are read.
  std::string many = kHead;
  for (int i = 0; i < 17; ++i)
    many += "1,1\n9,9,9,0,0\n";
  Document c;
  EXPECT_EQ(load(c, many + "garbage line\n"), 0);
  EXPECT_EQ(c.objects()[0].count(), 16);
}

TEST_F(PlaceDataFile, EachBadLineGivesItsResultAndLeavesTheSceneAlone) {
  for (const auto &row : test::dataTable("place_bad_lines.txt")) {
    const std::string raw = test::unescaped(row[0]);
    const std::string text = raw.starts_with("HEAD") ? kHead + raw.substr(4) : raw;
    Document doc;
    doc.append(0, 9, 9, 9, 0, 0);
    doc.setHfFileName("before.tga");
    doc.setScale(42, 10, 100);
    EXPECT_EQ(load(doc, text), std::stoi(row[1])) << text;
    EXPECT_EQ(std::tuple(doc.objectCount(), doc.camera(), doc.hfFileName(), doc.scaleX()),
              std::tuple(1, kDefaultCamera, "before.tga", 42.0f));
  }
  Document doc;
  EXPECT_EQ(loadPlaceData(doc, dir.file("missing.txt")), 1);
  doc.setObjectLimit(3); // objects beyond the scene's limit are refused alike
  doc.append(0, 1, 1, 1, 0, 0);
  EXPECT_EQ(load(doc, kHead + "2,3\n1,1,1,0,0\n1,1,1,0,0\n1,1,1,0,0\n"), 4);
  EXPECT_EQ(doc.objectCount(), 1);
  EXPECT_EQ(load(doc, kHead + "2,2\n1,1,1,0,0\n1,1,1,0,0\n"), 0);
  EXPECT_EQ(doc.objectCount(), 3); // appended to what was there
}

// A file whose map cannot be read leaves the document as it was.
TEST_F(PlaceDataFile, OpenReplacesTheSceneOnlyWhenTheFileAndItsMapRead) {
  Document doc;
  doc.append(7, 1, 1, 1, 0, 0);
  EXPECT_EQ(open(doc, kHead + "1,2\n"), 4);
  EXPECT_EQ(std::tuple(doc.objects()[7].count(), doc.camera()), std::tuple(1, kDefaultCamera));
  ASSERT_EQ(open(doc, "300,0,300,1,1\n100,0,100,0,0\n" HS_TEST_DATA
                      "/tiny.tga\n100,10,100\n0,1,0\n2,1\n250,7,250,0,0\n"),
            0);
  EXPECT_EQ(std::tuple(doc.mapWidth(), doc.mapHeight(), doc.objects()[7].count(),
                       doc.objects()[1][0], doc.camera().x, doc.smoothOn()),
            std::tuple(3, 2, 0, ScItem{250, 7, 250, 0, 0}, 300.0, 1));
  EXPECT_EQ(open(doc, "1,2,3,0,0\n4,5,6,0,0\nno-such-map\n1,1,1\n0,0,1\n1,1\n9,9,9,0,0\n"), 5);
  EXPECT_EQ(std::tuple(doc.mapWidth(), doc.objects()[1].count(), doc.camera().x, doc.hfType()),
            std::tuple(3, 1, 300.0, 0));
}

// A FIFO would block the window for good.
TEST_F(PlaceDataFile, AFifoIsNeverOpened) {
  const std::string fifo = makeFifo(dir, "fifo");
  Document doc;
  Palette pal;
  LRMemoryDC image;
  EXPECT_EQ(std::tuple(openPlaceData(doc, defaultPalette(), fifo), loadPlaceData(doc, fifo),
                       loadPalette(pal, fifo), readHeightFieldFile(fifo, PngMap, pal, image),
                       heightFieldTypeOfFile(fifo)),
            std::tuple(PlaceDataCannotOpen, PlaceDataCannotOpen, PaletteOpenError, CannotOpen, -1));
}

// Numbers that are not finite and names that would not read back are never written.
TEST_F(PlaceDataFile, WhatCouldNotBeReadBackOrWrittenGivesResultOne) {
  const std::string data = dir.write("scene.txt", "earlier data\n");
  const std::string inc = dir.write("scene.inc", "earlier include\n");
  const PlaceDataExporter place;
  const PovIncludeExporter include;
  for (float bad :
       {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
    Document doc;
    doc.append(4, 1, 1, 1, 0, bad);
    EXPECT_FALSE(place.write(doc, data));
    doc.change(4, 0, ScItem{1, 1, 1, 0, 0, bad, 2.0f});
    EXPECT_FALSE(place.write(doc, data));
    EXPECT_FALSE(include.write(doc, inc));
    doc.change(4, 0, ScItem{1, 1, 1, 0, 0, 0.0f, bad});
    EXPECT_FALSE(include.write(doc, inc));
    doc.killAll();
    doc.setScale(100, bad, 100);
    EXPECT_FALSE(include.write(doc, inc));
  }
  EXPECT_EQ(dir.read("scene.inc"), "earlier include\n");
  for (const char *name : {"two\nlines.tga", "cr.tga\r"}) {
    Document doc;
    doc.setHfFileName(name);
    EXPECT_FALSE(place.write(doc, data));
  }
  EXPECT_EQ(dir.read("scene.txt"), "earlier data\n");
  Document doc;
  doc.setHfFileName("mid\rdle.tga"); // reads back as itself
  EXPECT_TRUE(place.write(doc, data));
  doc.append(0, 1, 1, 1, 0, 0);
  QBuffer closed; // never opened: every write fails
  EXPECT_EQ(savePlaceData(doc, closed), 1);
  EXPECT_EQ(writePovInclude(doc, closed), 1);
}

TEST(FixedFormat, MatchesPrintfOnAwkwardAndRandomValues) {
  std::vector<double> values;
  for (const auto &row : test::dataTable("fixed_values.txt"))
    values.push_back(std::strtod(row[0].c_str(), nullptr));
  std::mt19937_64 gen(42);
  for (int i = 0; i < 6000; ++i) {
    const std::uint64_t u = gen();
    double v =
        std::ldexp(static_cast<double>(u >> 11), -static_cast<int>(u % 90)) * (u & 1 ? -1 : 1);
    if (i % 3 == 0)
      std::memcpy(&v, &u, sizeof v); // any bit pattern at all
    else if (i % 3 == 2)
      v = static_cast<float>(static_cast<std::int64_t>(u % 2000001) - 1000000) / 1024.0f;
    values.push_back(v);
  }
  for (double v : values) {
    char mine[kFixedMaxChars + 1];
    *appendFixed6(mine, v) = '\0';
    char ref[400];
    std::snprintf(ref, sizeof ref, "%f", v);
    ASSERT_STREQ(mine, ref) << "bits of the value differ from printf";
  }
}

// The name escaped; a one-pixel-wide map gives the centre, not NaN; turn and size arrays only
// for types that have them, and a turn of -0 is no turn.
TEST(PovInclude, GoldenOfAnAwkwardScene) {
  Document d;
  d.setHfFileName(R"(C:\maps\a"b.ppm)");
  d.setMap(LRMemoryDC(1, 1));
  d.append(0, 0, 0, 0, AboveGround, 0);
  d.append(6, ScItem{199, 0, 199, AboveGround, 0.0, -0.0f, 1.0f});
  d.append(15, ScItem{199, 0, 199, AboveGround, 0.0});
  d.append(15, ScItem{199, 0, 199, AboveGround, 0.0, 0.0f, 3.0f});
  EXPECT_EQ(saved(d, writePovInclude), golden("awkward_scene.inc"));
  EXPECT_EQ(povEscaped(R"(\\)"), R"(\\\\)");
}

TEST(RenderOutput, TheInisPictureNameAsPovRayFindsIt) {
  for (const auto &row : test::dataTable("render_outputs.txt")) {
    EXPECT_EQ(fromBytes(test::unescaped(row.at(0)), renderOutputName,
                        QIODevice::ReadOnly | QIODevice::Text),
              row.at(1))
        << row.at(0);
  }
}

// Pieces split lines anywhere; progress lines never count among the last lines.
TEST(RenderOutput, TheLogFollowsProgressAndKeepsTheLastLines) {
  std::string stream = "povray: cannot open the user configuration file\n";
  for (int i = 1; i <= 14; ++i)
    stream += "line " + std::to_string(i) + "\r\n";
  stream += "Rendered 10 of 100 pixels (10%)\rRendered 55 of 100 pixels (55%)\r";
  stream += "File 'Preview.pov' line 12: Parse Error: Expected 'object'\n instead";
  RenderLog log;
  std::vector<int> seen;
  for (std::size_t at = 0; at < stream.size(); at += 7)
    if (log.feed(QByteArray::fromStdString(stream.substr(at, 7))))
      seen.push_back(log.percent());
  log.finish();
  EXPECT_EQ(seen, (std::vector<int>{10, 55}));
  EXPECT_EQ(log.lastLines(), "line 5\nline 6\nline 7\nline 8\nline 9\nline 10\nline 11\nline 12\n"
                             "line 13\nline 14\nFile 'Preview.pov' line 12: Parse Error: "
                             "Expected 'object'\ninstead\n");
}

// POV-Ray's option listing goes before its last stage line; a NUL shows; a runaway line keeps
// its end only.
TEST(RenderOutput, TheLogKeepsTheLastStageAndBoundsWhatItHolds) {
  const std::string stage = "==== [Parsing...] ====", runaway(50 << 20, 'x');
  const std::string cases[][2] = {
      {"Input file: Preview.pov\n" + stage + "\nParse Error\nRender failed\n",
       stage + "\nParse Error\nRender failed\n"},
      {"==== [Other] ==\nA\n" + stage + "\r\nB\n", stage + "\nB\n"},
      {stage + "\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n",
       stage + "\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n"},
      {std::string("a\0b\n", 4), "a\\0b\n"},
      {"head\n" + runaway + "END", "head\n..." + runaway.substr(0, 1021) + "END\n"},
  };
  for (const auto &[stream, kept] : cases) {
    RenderLog log;
    const std::size_t piece = stream.size() > 1000 ? 1 << 16 : 7;
    for (std::size_t at = 0; at < stream.size(); at += piece)
      log.feed(QByteArray::fromStdString(stream.substr(at, piece)));
    log.finish();
    EXPECT_EQ(log.lastLines(), kept) << stream.substr(0, 40);
  }
}

// The picture lands in the start folder. The engine never starts on an old or missing include;
// a FIFO INI does not hold it up.
TEST(RenderLaunch, ThePreviewIniWithProgressAndNoDisplay) {
  EXPECT_EQ(engineArguments("/usr/bin/povray"), (QStringList{"Preview.ini", "+V", "-D"}));
  EXPECT_EQ(engineArguments("C:/POV/bin/PvEngine64.exe"),
            (QStringList{"/RENDER", "Preview.ini", "+V", "-D"}));
  TestFolder dir;
  EXPECT_EQ(renderOutputPath(dir.path(), "Preview.ini"), dir.file("Preview.png")); // no INI
  dir.write("Small.ini", "Output_File_Name=out/../Small.png\n");
  EXPECT_EQ(renderOutputPath(dir.path(), "Small.ini"), dir.file("Small.png"));
  makeFifo(dir, "Preview.ini");
  EXPECT_EQ(renderOutputPath(dir.path(), "Preview.ini"), dir.file("Preview.png"));
  const std::string reason =
      "\n" + dir.file("TestPlace.inc") + ": not a regular file; nothing was written";
  const std::tuple<std::string, const char *, int, std::string> cases[] = {
      {dir.path(), "/bin/povr", RenderNoEngine, kNoEngineMessage}, // 9 characters
      {dir.path(), "/bin/true/povray", RenderNoInclude, kSaveIncludeMessage + reason},
      {dir.file("gone"), "/bin/true/povray", RenderNoInclude, kSaveIncludeMessage}};
  for (const auto &[start, engine, result, message] : cases) {
    Scene scene;
    ProgramValues values;
    FakeServices services;
    std::tie(values.startDir, values.enginePath) = std::pair(start, engine);
    int finished = 0;
    RenderJob job(nullptr, [&finished](const RenderOutcome &) { ++finished; });
    EXPECT_EQ(job.renderPreview(scene.document(), values, &services), result);
    EXPECT_EQ(std::tuple(services.notices, job.running(), finished),
              std::tuple(decltype(services.notices){{"Notice", message}}, false, 0));
    EXPECT_FALSE(std::filesystem::is_regular_file(dir.file("TestPlace.inc")));
    std::filesystem::create_directory(dir.file("TestPlace.inc"));
  }
}

// A preview scene from before the map's type (its switch without that case) gets a notice naming
// it and the shipped scene; the render still starts. A scene with no type switch gets none.
TEST(RenderLaunch, APreviewSceneThatDoesNotKnowTheMapsTypeIsNamed) {
  const std::string current = readFile(HS_TEST_DATA "/../../samples/Preview.pov");
  const std::string newCase = "    #case (4) tga #break\n";
  std::string old = current;
  old.replace(old.find(newCase), newCase.size(), "");
  const std::tuple<std::string, int, bool> cases[] = {{current, TrueColourTargaMap, false},
                                                      {old, TrueColourTargaMap, true},
                                                      {old, TargaMap, false},
                                                      {"#include \"colors.inc\"\n", 4, false}};
  for (const auto &[text, type, told] : cases) {
    TestFolder dir;
    dir.write("Preview.pov", text);
    Scene scene;
    scene.document().setHfType(type);
    ProgramValues values;
    std::tie(values.startDir, values.enginePath) = std::pair(dir.path(), "/usr/bin/true");
    FakeServices services;
    RenderJob job(nullptr, [](const RenderOutcome &) {});
    EXPECT_EQ(job.renderPreview(scene.document(), values, &services), RenderStarted);
    const std::string notice = services.notices.empty() ? "" : services.notices[0].second;
    EXPECT_EQ(std::tuple(services.notices.size(), notice.starts_with(dir.file("Preview.pov")),
                         notice.find("/samples/Preview.pov") != std::string::npos),
              std::tuple(std::size_t{told}, told, told))
        << type << notice;
  }
}

} // namespace
} // namespace hs
