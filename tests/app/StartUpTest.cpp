// Start-up and shut-down through the application object.
#include "AppTestSupport.h"

#include "app/PlaceApp.h"
#include "core/Settings.h"
#include "core/ZoomPicture.h"
#include "terrain/Height.h"
#include "view/Scroll.h"

#include <QScreen>
#include <QSettings>
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

TEST_F(StartUpTest, FirstRunShowsTheSampleAndWritesTheDefaults) {
  for (const std::string name : {"Intro.tga", "Std.pal"})
    std::filesystem::copy_file(kSamples + "/" + name, folder.file(name));
  PlaceCmdWindow *w = start();
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(script.notices.size(), 1u);
  // The notice names povray when it is on the PATH (the settings tests try both).
  const QString povray = QStandardPaths::findExecutable(QStringLiteral("povray"));
  EXPECT_EQ(script.notices[0].message, povray.isEmpty()
                                           ? std::string(kNoSettingsMessage)
                                           : kEngineFoundMessage + povray.toStdString() + "\n");

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

// The first run opens a window that shows the whole map at the largest zoom
// that fits in 90 % of the screen; the next run opens as the last one closed.
TEST_F(StartUpTest, TheWindowFitsTheMapAndIsRememberedBetweenRuns) {
  for (const int side : {400, 4096}) {
    QSettings("Hillstrew", "Hillstrew").clear();
    const std::string map = folder.write("hills.tga", targaBytes(side, side));
    folder.write("Strewer.ini", map + "\na.txt\na.inc\n0\n/usr/bin/povray\n\n");
    PlaceCmdWindow *w = start();
    QApplication::processEvents();
    const Scene &s = w->scene();
    const QRect room = w->screen()->availableGeometry();
    const QSize pane = w->mapPane()->surface()->size();
    EXPECT_TRUE(s.zoomedSize(side) <= pane.width() && s.zoomedSize(side) <= pane.height()) << side;
    // No narrower than the command bars need, on the test's small screen.
    const int narrowest = w->minimumSizeHint().width() + w->frameGeometry().width() - w->width();
    EXPECT_TRUE(w->frameGeometry().width() <= std::max(room.width() * 9 / 10, narrowest) &&
                w->frameGeometry().height() <= room.height() * 9 / 10)
        << side;
    EXPECT_GT(zoomedSize(side, s.zoom + 1) + w->frameGeometry().height() - pane.height(),
              room.height() * 9 / 10)
        << side;
    EXPECT_EQ(s.zoom, side == 400 ? 0 : -3);
    w->resize(760, 410);
    w->menuAction(kZoomIn)->trigger();
    app->closeAppWin(w);
    w = start();
    QApplication::processEvents();
    EXPECT_EQ(std::tuple(w->size(), w->scene().zoom),
              std::tuple(QSize(760, 410), side == 400 ? 1 : -2));
    app->closeAppWin(w);
  }
  // The arithmetic: a 400 and a 4096 map on a 1920 x 1080 screen, a small
  // screen, and a map too large at any zoom.
  EXPECT_EQ(fitWindowToMap(400, 400, 20, 150, 1920, 1080), (WindowFit{820, 950, 1}));
  EXPECT_EQ(fitWindowToMap(4096, 4096, 20, 150, 1920, 1080), (WindowFit{532, 662, -3}));
  EXPECT_EQ(fitWindowToMap(400, 400, 20, 150, 640, 480), (WindowFit{500, 350, -1}));
  EXPECT_EQ(fitWindowToMap(400, 10, 20, 150, 1920, 1080), (WindowFit{1620, 300, 2}));
  EXPECT_EQ(fitWindowToMap(16384, 16384, 20, 150, 800, 600), (WindowFit{720, 540, -4}));
}

// The fill style, the scatter rules and the display toggles of one run are
// there in the next; a damaged store keeps the defaults.
TEST_F(StartUpTest, FillScatterAndDisplaySettingsAreRememberedBetweenRuns) {
  folder.write("Strewer.ini", folder.write("hills.tga", targaBytes(50, 50)) +
                                  "\na.txt\na.inc\n0\n/usr/bin/povray\n\n");
  PlaceCmdWindow *w = start();
  std::tie(values.fillCount, values.fillRandomPlace, values.scatter.spacing, values.scatter.seed) =
      std::tuple(33, 1, 7.5, 4000000000u);
  values.scatter.weights[4] = 2.5;
  std::tie(values.scatter.weights[0], values.scatter.sizeFrom) = std::tuple(1.5, 0.5);
  w->scene().showRelief = {1, 0};
  values.scatter.shape = ScatterShape::Ellipse;
  w->windowCommand(kWaterToggle, 1, CmdKind::ToggleButton);
  w->setValue(kWaterToggle, 1);
  app->closeAppWin(w);
  values = ProgramValues{};
  w = start();
  EXPECT_EQ(std::tuple(values.fillCount, values.fillRandomPlace, values.scatter.spacing,
                       values.scatter.seed, values.scatter.weights[4], values.scatter.shape),
            std::tuple(33, 1, 7.5, 4000000000u, 2.5, ScatterShape::Ellipse));
  EXPECT_EQ(std::pair(w->scene().showWater, w->getValue(kWaterToggle)), std::pair(1, 1));
  EXPECT_EQ(std::tuple(values.scatter.weights[0], values.scatter.sizeFrom, w->scene().showRelief),
            std::tuple(1.5, 0.5, std::array<int, 2>{1, 0}));
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
