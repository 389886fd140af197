#include "AppTestSupport.h"

#include "app/PlaceApp.h"
#include "core/Settings.h"

#include <QStandardPaths>

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
  void SetUp() override {
    palette() = defaultPalette();
    QSettings("Hillstrew", "Hillstrew").clear(); // a first run
    script.answerQuestionsUsually(1);            // "Discard"
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

TEST_F(StartUpTest, FirstRunWritesTheDefaultsAndClosingWritesTheNewHeightField) {
  for (const std::string name : {"Intro.tga", "Std.pal"})
    std::filesystem::copy_file(kSamples + "/" + name, folder.file(name));
  // Start-up's changes are no unsaved work, not even while its notice stands.
  std::string titleAtNotice;
  script.whileNotice = [&] { titleAtNotice = app->placeWindow()->windowTitle().toStdString(); };
  PlaceCmdWindow *w = start();
  ASSERT_EQ(script.notices.size(), 1u);
  EXPECT_EQ(std::pair(titleAtNotice, w->windowTitle().toStdString()),
            std::pair(std::string("Hill Strew"), std::string("Hill Strew")));
  script.whileNotice = {};
  const QString povray = QStandardPaths::findExecutable(QStringLiteral("povray"));
  EXPECT_EQ(script.notices[0].message, povray.isEmpty()
                                           ? std::string(kNoSettingsMessage)
                                           : kEngineFoundMessage + povray.toStdString() + "\n");

  std::vector<std::string> ini = lines(folder.read("Strewer.ini"));
  ASSERT_GE(ini.size(), 6u); // the defaults are pinned in core/
  EXPECT_EQ(std::tuple(ini[0], ini[4].ends_with("/povray"), ini[5]),
            std::tuple("Intro.tga", true, "Std.pal")); // in the settings' folder: relative
  const Scene &s = w->scene();
  EXPECT_EQ(std::tuple(s.document().mapWidth(), w->mapPane()->pixelAt(5, 5), w->width() > 500),
            std::tuple(400, s.viewImage.readPixel(5 + s.scrollX, 5 + s.scrollY), true));
  app->closeAppWin(w);

  // The settings are not rewritten at start-up; closing writes the map loaded last.
  const std::string first = folder.write("one.tga", targaBytes(64, 48, 9));
  const std::string second = folder.write("two.tga", targaBytes(30, 20, 9));
  folder.write("Strewer.ini", first + "\nd.txt\np.inc\n2\n" + folder.file("povray") + "\n" +
                                  folder.file("none.pal") + "\n");
  script.notices.clear();
  w = start();
  ASSERT_EQ(script.notices.size(), 1u);
  EXPECT_EQ(std::tuple(script.notices[0].message, w->scene().document().mapWidth(),
                       lines(folder.read("Strewer.ini")).size()),
            std::tuple("open error", 64, std::size_t{6}));
  script.answerFile(second);
  w->menuAction(kHeightField)->trigger();
  w->close(); // the close box
  EXPECT_FALSE(app->isOpen(w));
  ini = lines(folder.read("Strewer.ini"));
  ASSERT_EQ(ini.size(), 11u);
  EXPECT_EQ(std::tuple(ini[0], ini[3], ini[4]), std::tuple("two.tga", "2", folder.file("povray")));
}

// The first run fits the map to the screen; a damaged store keeps the defaults.
TEST_F(StartUpTest, TheWindowAndTheSettingsAreRememberedBetweenRuns) {
  folder.write("Strewer.ini", folder.write("hills.tga", targaBytes(4096, 4096)) +
                                  "\na.txt\na.inc\n0\n/usr/bin/povray\n\n");
  const auto kept = [this] {
    return std::tie(values.fillCount, values.fillRandomPlace, values.scatter.spacing,
                    values.scatter.seed, values.scatter.weights[4], values.scatter.weights[0],
                    values.scatter.sizeFrom, values.scatter.shape, values.scatter.radii[3],
                    values.scatter.radii[4], values.scatter.densityFile, values.scatter.clumps.use,
                    values.scatter.clumps.most);
  };
  const auto want = std::tuple(33, 1, 7.5, 4000000000u, 2.5, 1.5, 0.5, ScatterShape::Ellipse, 6.0,
                               -1.0, std::string("d.pgm"), true, 9);
  PlaceCmdWindow *w = start();
  EXPECT_EQ(w->scene().zoom, -3);
  w->resize(760, 410);
  w->menuAction(kZoomIn)->trigger();
  kept() = want;
  w->scene().showRelief = {1, 0};
  w->windowCommand(kWaterToggle, 1, CmdKind::ToggleButton);
  app->closeAppWin(w);
  values = ProgramValues{};
  w = start();
  EXPECT_EQ(std::tuple(w->size(), w->scene().zoom), std::tuple(QSize(760, 410), -2));
  EXPECT_EQ(kept(), want);
  EXPECT_EQ(std::tuple(w->scene().showWater, w->getValue(kWaterToggle), w->scene().showRelief),
            std::tuple(1, 1, std::array<int, 2>{1, 0}));
  app->closeAppWin(w);

  QSettings memory("Hillstrew", "Hillstrew");
  memory.setValue("fill/count", "lots");
  memory.setValue("scatter/spacing", -3);
  memory.setValue("scatter/weights", QVariantList{1, 2});
  values = ProgramValues{};
  w = start();
  EXPECT_EQ(std::tuple(values.fillCount, values.scatter.spacing, values.scatter.weights[4]),
            std::tuple(10, 5.0, 0.0));
  app->closeAppWin(w);
}

} // namespace
} // namespace hs
