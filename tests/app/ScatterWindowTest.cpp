#include "AppTestSupport.h"
#include "app/AreasWindow.h"
#include "app/dialogs/ScatterDialog.h"
#include "dialogs/DialogDriver.h"
#include "placement/Scatter.h"
#include "terrain/HeightField.h"

#include <QCheckBox>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace hs {
namespace {

class ScatterWindowTest : public WindowTest {
protected:
  ScatterDialog &dialog() { return *window->scatterDialog(); }
  void type(int id, const char *text) { test::type(dialog(), id, text); }
  void press(int id) { test::click(dialog(), id); }
};

TEST_F(ScatterWindowTest, TheButtonTheDialogAndADrag) {
  click(kScatter);
  EXPECT_EQ(std::tuple(toggle(kScatter), toggle(kOne), status(), dialog().isDisplayed()),
            std::tuple(1, 0, std::string("Scatter Objects"), true));
  type(ScatterDialog::kSpacing, "4");
  type(ScatterDialog::kSeed, "77");
  type(ScatterDialog::kSpacing, "0.2");
  type(ScatterDialog::kWeight + 3, "x");
  type(ScatterDialog::kRadius + 2, "2.5");
  type(ScatterDialog::kRadius + 5, "-1");
  EXPECT_EQ(std::tuple(values.scatter.spacing, values.scatter.seed, values.scatter.radii[2]),
            std::tuple(4.0, 77u, 2.5));
  EXPECT_EQ(dialog().getText(ScatterDialog::kProblem),
            "Not a good spacing (1 to 4096), weight (0 or more), footprint radius (0 to 4096, or "
            "empty)");
  type(ScatterDialog::kSpacing, "4");
  type(ScatterDialog::kWeight + 3, "0");
  type(ScatterDialog::kRadius + 5, " ");
  type(ScatterDialog::kRadius + 2, " ");
  EXPECT_EQ(values.scatter.radii[2], -1.0);
  EXPECT_EQ(dialog().getText(ScatterDialog::kProblem), "");
  press(ScatterDialog::kEllipse);
  dragMap(200, 200, 260, 230); // the figures are pinned in placement/
  const int placed = scene().document().objects()[0].count();
  EXPECT_EQ(std::tuple(values.scatter.shape, placed > 30, window->menuAction(kHistoryUndo)->text(),
                       status()),
            std::tuple(ScatterShape::Ellipse, true, QString("Undo Scatter"),
                       "Placed " + std::to_string(placed) + " objects."));

  press(kOkId); // " Hide "
  ASSERT_FALSE(dialog().isDisplayed());
  click(kFill);
  EXPECT_EQ(std::tuple(dialog().isDisplayed(), dialog().getValue(ScatterDialog::kEllipse),
                       dialog().getValue(ScatterDialog::kBox),
                       dialog().getText(ScatterDialog::kSpacing)),
            std::tuple(true, 1, 0, std::string("4")));
  click(kOne);
  EXPECT_EQ(std::pair(toggle(kScatter), toggle(kOne)), std::pair(0, 1));
}

TEST_F(ScatterWindowTest, WholeMapAndNothingToPlace) {
  click(kScatter);
  type(ScatterDialog::kSpacing, "20");
  press(ScatterDialog::kWholeMap);
  const int before = scene().document().objects()[0].count();
  EXPECT_GT(before, 200);
  EXPECT_EQ(status(), "Placed " + std::to_string(before) + " objects.");

  press(ScatterDialog::kAltitude);
  type(ScatterDialog::kLowest, "50");
  type(ScatterDialog::kHighest, "60");
  press(ScatterDialog::kWholeMap);
  type(ScatterDialog::kTurnTo, "7e7");
  press(ScatterDialog::kWholeMap);
  dragMap(200, 200, 260, 230);
  EXPECT_EQ(scene().document().objects()[0].count(), before);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Nothing was scattered: no ground between 50 and 60 in this region.",
                            "Nothing was scattered: not a good turn in the Scatter dialog.",
                            "Nothing was scattered: not a good turn in the Scatter dialog."}));
}

// A density image keeps its black half empty; clumps group the objects, inner spacing apart; a
// bad clump field or an image that cannot be read scatters nothing.
TEST_F(ScatterWindowTest, ADensityImageAndClumps) {
  script.answerFile(folder.write("half.pgm", std::string("P5 2 1 255\n\0\xff", 13)));
  click(kScatter);
  type(ScatterDialog::kSpacing, "10");
  press(ScatterDialog::kDensityChoose);
  press(ScatterDialog::kWholeMap);
  const ScData &placed = document.objects()[0];
  EXPECT_GT(placed.count(), 300);
  for (const ScItem &i : placed)
    ASSERT_GE(i.x, 199.5);
  menu(kHistoryUndo);
  type(ScatterDialog::kDensity, "");
  press(ScatterDialog::kClumps);
  for (const auto &[id, text] : {std::pair(ScatterDialog::kClumpSpacing, "40"),
                                 {ScatterDialog::kClumpRadius, "6"},
                                 {ScatterDialog::kClumpMost, "5"},
                                 {ScatterDialog::kClumpInner, "2"}})
    type(id, text);
  press(ScatterDialog::kWholeMap);
  EXPECT_GT(placed.count(), 100);
  for (const ScItem &a : placed) {
    double nearest = 1e9;
    for (const ScItem &b : placed)
      if (&a != &b)
        nearest = std::min(nearest, std::hypot(a.x - b.x, a.z - b.z));
    ASSERT_TRUE(nearest >= 2 && nearest <= 12) << nearest;
  }
  const int clumped = placed.count();
  type(ScatterDialog::kClumpMost, "2"); // fewer than the least, 3
  press(ScatterDialog::kWholeMap);
  EXPECT_FALSE(dialog().control(ScatterDialog::kClumpMost)->styleSheet().isEmpty());
  type(ScatterDialog::kClumpMost, "5");
  type(ScatterDialog::kDensity, folder.file("none.png").c_str());
  press(ScatterDialog::kWholeMap);
  EXPECT_EQ(placed.count(), clumped);
  EXPECT_EQ(messages(),
            (std::vector<std::string>{"Nothing was scattered: not a good objects per clump (1 to "
                                      "10000, the first at most the second) in the Scatter dialog.",
                                      "Nothing was scattered: " + folder.file("none.png") + ": " +
                                          heightFieldMessage(CannotOpen)}));
}

// Long work (a scatter, a big map's read) shows its progress; Cancel leaves all as it was.
TEST_F(ScatterWindowTest, ALongMapLoadAndALongScatterCanBeCancelled) {
  window->setProgressDelay(0);
  bool sawProgress = false;
  const auto cancelled = [&] { return std::exchange(sawProgress, false); };
  QTimer cancel;
  QObject::connect(&cancel, &QTimer::timeout, [&] {
    for (QWidget *w : QApplication::topLevelWidgets())
      if (auto *progress = qobject_cast<QProgressDialog *>(w); progress && progress->isVisible())
        sawProgress = (progress->cancel(), true);
  });
  loadTarga(targaBytes(4096, 4096, 100));
  click(kScatter);
  type(ScatterDialog::kSpacing, "1");
  cancel.start(20);
  press(ScatterDialog::kWholeMap);
  EXPECT_EQ(std::tuple(cancelled(), scene().document().objectCount()), std::tuple(true, 0LL));
  loadTarga(targaBytes(8192, 8192, 100), "big.tga");
  EXPECT_EQ(std::tuple(cancelled(), scene().document().mapWidth(),
                       scene().document().hfFileName().ends_with("map.tga")),
            std::tuple(true, 4096, true));
  script.answerFile(folder.write("big.txt", "1,0,1,1,1\n2,0,2,0,0\n" + folder.file("big.tga") +
                                                "\n100,10,100\n0,0,0\n2,1\n5,7,6,0,0\n"));
  menu(kOpenData);
  EXPECT_EQ(std::tuple(cancelled(), scene().document().mapWidth(), window->currentDataFile(),
                       script.notices.size()),
            std::tuple(true, 4096, std::string(), std::size_t{0}));
}

// Clicks make corners and a double-click closes the area; Escape drops one half drawn. The Areas
// window deletes them and keeps fills out of them, each a step; a box fill keeps out.
TEST_F(ScatterWindowTest, AreasAreDrawnListedAndKeepFillsOut) {
  menu(kDrawArea);
  AreasWindow &areas = *window->areasWindow();
  ASSERT_TRUE(areas.isVisible());
  for (const auto &[x, y] : {std::pair(50, 50), {150, 50}, {150, 150}, {50, 150}, {50, 150}})
    clickMap(x, y);
  clickMap(200, 200);
  clickMap(250, 200);
  key(Qt::Key_Escape);
  clickMap(300, 300);
  clickMap(300, 300); // one corner closes nothing
  ASSERT_EQ(std::pair(document.areas().size(), areas.list()->count()),
            std::pair(std::size_t{1}, 1));
  const Area drawn = document.areas()[0];
  EXPECT_EQ(drawn.corners.size(), 4u);
  areas.list()->setCurrentRow(0);
  areas.fillsToo()->click();
  ASSERT_TRUE(document.areas()[0].keepsFillsOut);
  click(kBox);
  dragMap(20, 20, 180, 180);
  const int filled = document.objects()[0].count();
  EXPECT_GT(filled, 0);
  for (const ScItem &i : document.objects()[0])
    ASSERT_FALSE(drawn.contains(i.x, i.z)) << i.x << "," << i.z;
  menu(kHistoryUndo); // the fill
  menu(kHistoryUndo); // the mark
  areas.deleteButton()->click();
  EXPECT_TRUE(document.areas().empty());
  EXPECT_EQ(window->menuAction(kHistoryUndo)->text(), QString("Undo Delete Area"));
  menu(kHistoryUndo);
  EXPECT_EQ(document.areas(), std::vector<Area>{drawn});
}

} // namespace
} // namespace hs
