// Start-up and shut-down through the application object.
#include "AppTestSupport.h"

#include "app/PlaceApp.h"
#include "core/Settings.h"
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
  for (const std::string name : {"Intro.tga", "Std.pal"})
    std::filesystem::copy_file(kSamples + "/" + name, folder.file(name));
  PlaceCmdWindow *w = start();
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(script.notices.size(), 1u);
  EXPECT_EQ(script.notices[0].message, kNoSettingsMessage);

  const std::vector<std::string> ini = lines(folder.read("Strewer.ini"));
  ASSERT_GE(ini.size(), 6u); // the defaults themselves are pinned by the settings tests
  EXPECT_EQ(std::tuple(ini[0], ini[4].ends_with("/povray"), ini[5]), // the engine found or guessed
            std::tuple(folder.file("Intro.tga"), true, folder.file("Std.pal")));
  // The sample is loaded and shown.
  Scene &s = w->scene();
  EXPECT_NE(height8At(s, 200, 200), -1);
  EXPECT_EQ(w->mapPane()->pixelAt(5, 5), s.viewImage.readPixel(5 + s.scrollX, 5 + s.scrollY));
  EXPECT_GT(w->width(), 500); // the window asks for 500; its command bars need more
  app->closeAppWin(w);
}

TEST_F(StartUpTest, ThreeLineSettingsLoadTheMapAndReportTheMissingPalette) {
  const std::string map = folder.write("hills.tga", targaBytes(64, 48));
  folder.write("Strewer.ini",
               map + "\n" + folder.file("a.txt") + "\n" + folder.file("a.inc") + "\n");
  PlaceCmdWindow *w = start();
  ASSERT_EQ(script.notices.size(), 1u);
  EXPECT_EQ(script.notices[0].message, "open error"); // the empty palette name
  // The settings file is not rewritten at start-up.
  EXPECT_EQ(std::tuple(w->scene().mapWidth, lines(folder.read("Strewer.ini")).size()),
            std::tuple(64, std::size_t{3}));
}

TEST_F(StartUpTest, ClosingWritesTheNewHeightFieldIntoLineOne) {
  const std::string first = folder.write("one.tga", targaBytes(40, 40, 9));
  const std::string second = folder.write("two.tga", targaBytes(30, 20, 9));
  folder.write("Strewer.ini",
               first + "\nd.txt\np.inc\n2\n/usr/bin/povray\n" + folder.file("none.pal") + "\n");
  PlaceCmdWindow *w = start();
  script.answerFile(second);
  w->menuAction(kHeightField)->trigger();
  w->close(); // the close box
  EXPECT_FALSE(app->isOpen(w));
  const std::vector<std::string> ini = lines(folder.read("Strewer.ini"));
  ASSERT_EQ(ini.size(), 11u);
  EXPECT_EQ(std::tuple(ini[0], ini[3], ini[4]), std::tuple(second, "2", "/usr/bin/povray"));
}

} // namespace
} // namespace hs
