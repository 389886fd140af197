#include "io/PlaceData.h"
#include "io/PovInclude.h"
#include "terrain/Palette.h"

#include "support/TestFiles.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <tuple>

namespace hs {
namespace {

struct World {
  Scene scene;
  ProgramValues values;
  WindowValues window;
};

std::string saved(const World &w) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  EXPECT_EQ(savePlaceData(w.scene, w.values, w.window, buffer), 0);
  return buffer.data().toStdString();
}

class PlaceDataFile : public ::testing::Test {
protected:
  std::string write(const std::string &text) { return dir.write("place.txt", text); }
  int load(World &w, const std::string &text) {
    return loadPlaceData(w.scene, w.values, w.window, write(text));
  }
  TestFolder dir;
};

const std::string kHead = "1,2,3,0,0.5 HS_At\n"
                          "4,5,6,1,1.5 HS_Look\n"
                          "/maps/hills.tga\n"
                          "50,5,60 HS_Scale\n"
                          "12.5,1,0 W Sm Ft\n";

TEST(PlaceData, DefaultSceneIsWrittenWithSixDecimalsAndLabels) {
  World w;
  w.window.hfFileName = "/home/me/Intro.tga";
  w.scene.objects[2].append(1.25, 7, 3, AboveCamera, -0.1);
  EXPECT_EQ(saved(w), "200.000000,0.000000,300.000000,1,1.000000 HS_At\n"
                      "200.000000,0.000000,100.000000,0,0.000000 HS_Look\n"
                      "/home/me/Intro.tga\n"
                      "100.000000,10.000000,100.000000 HS_Scale\n"
                      "0.000000,0,0 W Sm Ft\n"
                      "3,1  type number\n"
                      "1.250000,7.000000,3.000000,2,-0.100000\n");
}

TEST_F(PlaceDataFile, RoundTripRestoresEverythingToSinglePrecision) {
  World a;
  std::mt19937 gen(9);
  std::uniform_real_distribution<double> d(-100, 1000);
  for (int i = 0; i < 30000; ++i) // enough to cross the reader's buffer several times
    a.scene.objects[gen() % 16].append(d(gen), d(gen), d(gen), static_cast<int>(gen() % 3), d(gen));
  a.scene.camera = ScItem{0.1, 2, 3, AboveCamera, 0.25};
  a.values.scaleX = 0.1f;
  a.values.waterLevel = 77.5f;
  a.window.smoothOn = 1;
  a.scene.hfType = 1;
  a.window.hfFileName = "/some dir/with, commas.ppm";
  const std::string name = dir.file("rt.txt");
  ASSERT_EQ(savePlaceData(a.scene, a.values, a.window, name), 0);

  World b;
  ASSERT_EQ(loadPlaceData(b.scene, b.values, b.window, name), 0);
  EXPECT_EQ(b.scene.camera.x, double(0.1f)); // nearest float to 0.1, widened
  EXPECT_EQ(b.scene.camera.heightMode, AboveCamera);
  EXPECT_EQ(std::tuple(b.values.scaleX, b.values.waterLevel), std::tuple(0.1f, 77.5f));
  EXPECT_EQ(std::tuple(b.window.smoothOn, b.scene.hfType, b.window.hfFileType),
            std::tuple(1, 1, 1));
  EXPECT_EQ(b.window.hfFileName, a.window.hfFileName);
  for (int t = 0; t < 16; ++t) {
    ASSERT_EQ(b.scene.objects[t].count(), a.scene.objects[t].count());
    for (int k = 0; k < a.scene.objects[t].count(); ++k) {
      const ScItem &x = a.scene.objects[t][k];
      const ScItem &y = b.scene.objects[t][k];
      ASSERT_EQ(float(y.x), std::strtof(std::to_string(x.x).c_str(), nullptr));
      ASSERT_EQ(y.heightMode, x.heightMode);
    }
  }
  // From then on the file is stable: what was read writes the same text again.
  const std::string again = dir.file("again.txt");
  ASSERT_EQ(savePlaceData(b.scene, b.values, b.window, again), 0);
  World c;
  ASSERT_EQ(loadPlaceData(c.scene, c.values, c.window, again), 0);
  EXPECT_TRUE(saved(c) == saved(b));
}

TEST_F(PlaceDataFile, SectionsInAnyOrderRepeatedOrEmptyAndLabelsOptional) {
  World w;
  ASSERT_EQ(load(w, kHead + "3,12  type number\n"), 4); // twelve promised, none there
  World v;
  const std::string text = kHead + "5,1\n1,1,1,0,0\n" + "0x3,0  type number\n" +
                           "5,2  type number\n2,2,2,7,0\n3,3,3,0,0\n" + "016,1\n4,4,4,0,0\n";
  ASSERT_EQ(load(v, text), 0);
  EXPECT_EQ(v.scene.objects[4].count(), 3);
  EXPECT_EQ(v.scene.objects[4][1].heightMode, 7); // kept, written back as is
  EXPECT_EQ(v.scene.objects[2].count(), 0);
  EXPECT_EQ(v.scene.objects[13].count(), 1); // octal 016 is type 14
  EXPECT_EQ(v.scene.camera, (ScItem{1, 2, 3, 0, 0.5}));
  EXPECT_EQ(v.scene.lookAt, (ScItem{4, 5, 6, 1, 1.5}));
  EXPECT_EQ(v.values.scaleZ, 60.0f);
  EXPECT_EQ(v.window.smoothOn, 1);
}

TEST_F(PlaceDataFile, HeaderOnlyFileAndEmptyLineEndTheObjects) {
  World w;
  EXPECT_EQ(load(w, kHead), 0);
  EXPECT_EQ(w.scene.objectCount(), 0);
  EXPECT_EQ(w.window.hfFileName, "/maps/hills.tga");
  // Only sixteen sections are read; what follows is never looked at.
  std::string many = kHead;
  for (int i = 0; i < 17; ++i)
    many += "1,1\n9,9,9,0,0\n";
  World x;
  EXPECT_EQ(load(x, many + "garbage line\n"), 0);
  EXPECT_EQ(x.scene.objects[0].count(), 16);
  // Windows line ends are stripped; an empty line ends the objects.
  std::string crlf;
  for (char c : kHead + "1,1\n1,1,1,0,0\n\n2,1\n1,1,1,0,0\n")
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  World v;
  EXPECT_EQ(load(v, crlf), 0);
  EXPECT_EQ(v.window.hfFileName, "/maps/hills.tga");
  EXPECT_EQ(v.scene.objects[0].count(), 1);
  EXPECT_EQ(v.scene.objects[1].count(), 0);
}

TEST_F(PlaceDataFile, EachBadLineGivesItsResultAndLeavesTheSceneAlone) {
  struct Case {
    std::string text;
    int result;
  };
  const std::string look = "4,5,6,1,1.5 HS_Look\n";
  const std::string name = "/maps/hills.tga\n";
  const std::vector<Case> cases = {
      {"", 3},
      {"1,2,3,0 HS_At\n" + look + name + "1,1,1\n1,0,0\n", 3},
      {"1,2,3,0,0\n4,5,6,1 HS_Look\n" + name + "1,1,1\n1,0,0\n", 2},
      {"1,2,3,0,0\n" + look, 3},
      {"1,2,3,0,0\n" + look + name + "1,1 HS_Scale\n1,0,0\n", 3},
      {"1,2,3,0,0\n" + look + name + "1,1,1\n1,0\n", 3},
      {kHead + "1,3\n1,1,1,0,0\n1,1,1,0,0\n", 4},
      {kHead + "1,2\n1,1,1,0,0\n1,1,1,0\n", 4},
      {kHead + "0,1\n1,1,1,0,0\n", 4},
      {kHead + "17,1\n1,1,1,0,0\n", 4},
      {kHead + "-1,0\n", 4},
      // Numbers that are not finite as floats, whatever they look like as text.
      {"nan,2,3,0,0 HS_At\n" + look + name + "1,1,1\n1,0,0\n", 3},
      {"1,2,3,0,0\n4,5,inf,1,1.5\n" + name + "1,1,1\n1,0,0\n", 2},
      {"1,2,3,0,0\n" + look + name + "1,1e39,1\n1,0,0\n", 3},
      {"1,2,3,0,0\n" + look + name + "1,1,1\n-nan,0,0\n", 3},
      {kHead + "1,1\n1,1,1,0,-INFINITY\n", 4},
      {kHead + "1,1\n1e39,1,1,0,0\n", 4},
  };
  for (const Case &c : cases) {
    World w;
    w.scene.objects[0].append(9, 9, 9, 0, 0);
    w.window.hfFileName = "before.tga";
    w.values.scaleX = 42;
    EXPECT_EQ(load(w, c.text), c.result) << c.text.substr(0, 200);
    EXPECT_EQ(w.scene.objectCount(), 1);
    EXPECT_EQ(w.scene.camera, kDefaultCamera);
    EXPECT_EQ(w.window.hfFileName, "before.tga");
    EXPECT_EQ(w.values.scaleX, 42.0f);
  }
  World w;
  EXPECT_EQ(loadPlaceData(w.scene, w.values, w.window, dir.file("missing.txt")), 1);
}

TEST_F(PlaceDataFile, ObjectsBeyondTheSceneLimitAreRefused) {
  World w;
  w.scene.budget.limit = 3;
  w.scene.objects[0].append(1, 1, 1, 0, 0);
  EXPECT_EQ(load(w, kHead + "2,3\n1,1,1,0,0\n1,1,1,0,0\n1,1,1,0,0\n"), 4);
  EXPECT_EQ(w.scene.objectCount(), 1);
  EXPECT_EQ(load(w, kHead + "2,2\n1,1,1,0,0\n1,1,1,0,0\n"), 0);
  EXPECT_EQ(w.scene.objectCount(), 3); // appended to what was there
}

std::string dataFile(const char *name) { return std::string(HS_TEST_DATA) + "/" + name; }

TEST_F(PlaceDataFile, OpenEmptiesTheListsAndReloadsTheHeightFieldWithoutRescaling) {
  World w;
  w.scene.objects[7].append(1, 1, 1, 0, 0);
  const std::string text = "300,0,300,1,1\n100,0,100,0,0\n" + dataFile("tiny.tga") +
                           "\n100,10,100\n0,1,0\n2,1\n250,7,250,0,0\n";
  ASSERT_EQ(openPlaceData(w.scene, w.values, w.window, defaultPalette(), write(text)), 0);
  EXPECT_EQ(w.scene.mapWidth, 3);
  EXPECT_EQ(w.scene.mapHeight, 2);
  EXPECT_EQ(w.scene.objects[7].count(), 0);
  ASSERT_EQ(w.scene.objects[1].count(), 1);
  EXPECT_EQ(w.scene.objects[1][0], (ScItem{250, 7, 250, 0, 0})); // not rescaled, not re-sampled
  EXPECT_EQ(w.scene.camera.x, 300);
  EXPECT_EQ(w.window.smoothOn, 1);
}

TEST_F(PlaceDataFile, OpenWithAMissingHeightFieldKeepsThePlacementAndTheOldMap) {
  for (int type : {0, 1}) {
    World w;
    w.scene.objects[7].append(1, 1, 1, 0, 0);
    const std::string text = "1,2,3,0,0\n4,5,6,0,0\n" + dataFile("no-such-map") + "\n1,1,1\n0,0," +
                             std::to_string(type) + "\n1,1\n9,9,9,0,0\n";
    EXPECT_EQ(openPlaceData(w.scene, w.values, w.window, defaultPalette(), write(text)),
              type ? 5 : 6);
    EXPECT_EQ(w.scene.mapWidth, 400);
    EXPECT_EQ(w.scene.objects[7].count(), 0);
    EXPECT_EQ(w.scene.objects[0].count(), 1);
    EXPECT_EQ(w.scene.camera, (ScItem{1, 2, 3, 0, 0}));
    EXPECT_EQ(w.scene.hfType, type);
  }
}

TEST_F(PlaceDataFile, OpenThatFailsToParseChangesNothing) {
  World w;
  w.scene.objects[7].append(1, 1, 1, 0, 0);
  EXPECT_EQ(openPlaceData(w.scene, w.values, w.window, defaultPalette(), write(kHead + "1,2\n")),
            4);
  EXPECT_EQ(w.scene.objects[7].count(), 1);
  EXPECT_EQ(w.scene.camera, kDefaultCamera);
  EXPECT_EQ(openPlaceData(w.scene, w.values, w.window, defaultPalette(), "/no/such/file.txt"), 1);
  EXPECT_EQ(w.scene.objects[7].count(), 1);
}

TEST(Writers, ADeviceThatRefusesWritesGivesResultOne) {
  Scene scene;
  ProgramValues values;
  WindowValues window;
  scene.objects[0].append(1, 1, 1, 0, 0);
  QBuffer closed; // never opened: every write fails
  EXPECT_EQ(savePlaceData(scene, values, window, closed), 1);
  EXPECT_EQ(writePovInclude(scene, values, window, closed), 1);
}

TEST(Writers, NumbersThatAreNotFiniteAreNeverWritten) {
  TestFolder dir;
  const std::string data = dir.write("scene.txt", "earlier data\n");
  const std::string inc = dir.write("scene.inc", "earlier include\n");
  const float bad[] = {std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity()};
  for (float v : bad) {
    World w;
    w.scene.objects[4].append(1, 1, 1, 0, v);
    EXPECT_EQ(savePlaceData(w.scene, w.values, w.window, data), 1);
    w.scene.objects[4].clear();
    w.values.scaleY = v;
    EXPECT_EQ(writePovInclude(w.scene, w.values, w.window, inc), 1);
  }
  EXPECT_EQ(dir.read("scene.txt"), "earlier data\n");
  EXPECT_EQ(dir.read("scene.inc"), "earlier include\n");
}

TEST(Writers, APlaceFileWhoseNameCouldNotBeReadBackIsNotWritten) {
  Scene scene;
  ProgramValues values;
  WindowValues window;
  TestFolder dir;
  const std::string name = dir.file("kept.txt");
  ASSERT_EQ(savePlaceData(scene, values, window, name), 0);
  for (const char *bad : {"two\nlines.tga", "cr.tga\r"}) {
    window.hfFileName = bad;
    scene.camera.x = 7;
    EXPECT_EQ(savePlaceData(scene, values, window, name), 1);
    World back; // the earlier file stays
    ASSERT_EQ(loadPlaceData(back.scene, back.values, back.window, name), 0);
    EXPECT_EQ(back.scene.camera.x, 200);
  }
  window.hfFileName = "mid\rdle.tga"; // reads back as itself
  EXPECT_EQ(savePlaceData(scene, values, window, name), 0);
}

} // namespace
} // namespace hs
