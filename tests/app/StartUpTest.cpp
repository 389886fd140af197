// Start-up and shut-down through the application object.
#include "AppTestSupport.h"

#include "app/PlaceApp.h"
#include "core/Settings.h"
#include "io/Render.h"
#include "terrain/Height.h"

#include <sstream>

namespace hs {
namespace {

const std::string kSamples = HS_SAMPLES;

std::vector<std::string> lines(const std::string &text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);)
    out.push_back(l);
  return out;
}

class StartUpTest : public ::testing::Test {
protected:
  void SetUp() override { palette() = defaultPalette(); }
  void TearDown() override { palette() = defaultPalette(); }

  void copySample(const std::string &name) {
    std::filesystem::copy_file(kSamples + "/" + name, folder.file(name));
  }
  PlaceCmdWindow *start() {
    app = std::make_unique<PlaceApp>(argc, argv, values);
    app->appMain();
    return app->placeWindow();
  }

  int argc = 1;
  char name[5] = "test";
  char *argv[2] = {name, nullptr};
  TestFolder folder;
  ScriptedInteraction script;
  ProgramValues values;
  std::unique_ptr<PlaceApp> app;
};

TEST_F(StartUpTest, FirstRunShowsTheSampleAndWritesTheDefaults) {
  copySample("Intro.tga");
  copySample("Std.pal");
  PlaceCmdWindow *w = start();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), "Hill Strew");
  // Asked for 500 x 300; the window grows where its bars need more width.
  EXPECT_GE(w->width(), 500);
  EXPECT_EQ(w->height(), 300);
  ASSERT_EQ(script.notices.size(), 1u);
  EXPECT_EQ(script.notices[0].title, "Notice");
  EXPECT_EQ(script.notices[0].message, kNoSettingsMessage);

  const std::string &d = folder.path();
  EXPECT_EQ(values.startDir, d);
  EXPECT_EQ(w->hfFileName, d + "/Intro.tga");
  const std::vector<std::string> ini = lines(folder.read("Strewer.ini"));
  ASSERT_GE(ini.size(), 6u);
  EXPECT_EQ(ini[0], d + "/Intro.tga");
  EXPECT_EQ(ini[1], d + "/Intro.txt");
  EXPECT_EQ(ini[2], d + "/Intro.inc");
  EXPECT_EQ(ini[3], "0");
  EXPECT_EQ(ini[5], d + "/Std.pal");

  // The sample is loaded, kept and drawn with the camera and look-at icons.
  Scene &s = w->scene();
  EXPECT_NE(height8At(s, 200, 200), -1);
  EXPECT_EQ(w->getString(kStatusLabel), "Place Single Object");
  auto iconPixels = [&s](const ScItem &item) {
    int changed = 0;
    for (int dy = -6; dy <= 6; ++dy)
      for (int dx = -6; dx <= 6; ++dx) {
        const int x = static_cast<int>(item.x) + dx;
        const int y = static_cast<int>(item.z) + dy;
        if (x >= 0 && y >= 0 && x < s.mapWidth && y < s.mapHeight)
          changed += s.viewImage.readPixel(x, y) != s.baseImage.readPixel(x, y) ? 1 : 0;
      }
    return changed;
  };
  EXPECT_GT(iconPixels(s.camera), 0);
  EXPECT_GT(iconPixels(s.lookAt), 0);
  EXPECT_EQ(w->mapPane()->pixelAt(5, 5), s.viewImage.readPixel(5 + s.scrollX, 5 + s.scrollY));
  killAll(s);
  undo(s); // the start-up keep holds the loaded camera
  EXPECT_EQ(s.camera.x, s.keptCamera.x);
  app->closeAppWin(w);
}

TEST_F(StartUpTest, MissingFilesAreReportedAndTheEmptyMapStays) {
  PlaceCmdWindow *w = start();
  ASSERT_EQ(script.notices.size(), 3u);
  EXPECT_EQ(script.notices[1].message, "open error");
  EXPECT_EQ(script.notices[2].message, "Unable to LOAD File !!");
  EXPECT_EQ(w->scene().mapWidth, 400);
  EXPECT_EQ(w->getString(kStatusLabel), "     Load a height feild    ");
}

TEST_F(StartUpTest, ThreeLineSettingsLeaveNoEngineAndNoPalette) {
  const std::string map =
      folder.write("hills.tga", targaBytes(64, 48, [](int x, int) { return x; }));
  folder.write("Strewer.ini",
               map + "\n" + folder.file("a.txt") + "\n" + folder.file("a.inc") + "\n");
  PlaceCmdWindow *w = start();
  ASSERT_EQ(script.notices.size(), 1u);
  EXPECT_EQ(script.notices[0].message, "open error"); // the empty palette name
  EXPECT_EQ(values.enginePath, "");
  EXPECT_EQ(w->paletteFileName, "");
  EXPECT_EQ(w->scene().mapWidth, 64);
  // A readable file is not rewritten at start-up.
  EXPECT_EQ(lines(folder.read("Strewer.ini")).size(), 3u);
  QTest::mouseClick(w->control(kRender), Qt::LeftButton);
  ASSERT_EQ(script.notices.size(), 2u);
  EXPECT_EQ(script.notices[1].message, kNoEngineMessage);
}

TEST_F(StartUpTest, ClosingWritesTheNewHeightFieldIntoLineOne) {
  const std::string first = folder.write("one.tga", targaBytes(40, 40, [](int, int) { return 9; }));
  const std::string second =
      folder.write("two.tga", targaBytes(30, 20, [](int, int) { return 9; }));
  folder.write("Strewer.ini",
               first + "\nd.txt\np.inc\n2\n/usr/bin/povray\n" + folder.file("none.pal") + "\n");
  PlaceCmdWindow *w = start();
  EXPECT_EQ(values.unitsMode, 2);
  script.answerFile(second);
  w->menuAction(kHeightField)->trigger();
  EXPECT_EQ(w->scene().mapWidth, 30);
  w->close(); // the close box
  EXPECT_FALSE(app->isOpen(w));
  const std::vector<std::string> ini = lines(folder.read("Strewer.ini"));
  ASSERT_EQ(ini.size(), 11u);
  EXPECT_EQ(ini[0], second);
  EXPECT_EQ(ini[3], "2");
  EXPECT_EQ(ini[4], "/usr/bin/povray");
  EXPECT_EQ(ini[7], "---- DO NOT EDIT THIS FILE !!!----");
}

TEST_F(StartUpTest, ExitFromTheMenuAlsoWritesTheSettings) {
  folder.write("Strewer.ini", "x.ppm\n\n\n1\n\n\n");
  PlaceCmdWindow *w = start();
  w->menuAction(kExitId)->trigger();
  EXPECT_FALSE(app->isOpen(w));
  EXPECT_EQ(lines(folder.read("Strewer.ini")).size(), 11u);
}

} // namespace
} // namespace hs
