// The map pane through real mouse, key and scroll-bar events.
#include "AppTestSupport.h"

#include "app/dialogs/WaterFillDialogs.h"

#include <QAbstractSpinBox>
#include <QCursor>
#include <QScrollBar>

namespace hs {
namespace {

// The pick modes: each waits for a release on the map, then shows its dialog
// and returns to the mode it came from with its toggle released.
TEST_F(WindowTest, PickModesWaitForTheMapAndReturn) {
  loadFlatMap();
  click(kCameraAt);
  EXPECT_EQ(values.mode, PlaceCamera);
  clickMap(450, 20); // beyond the 400-pixel map
  EXPECT_EQ(values.mode, PlaceCamera);
  EXPECT_EQ(toggle(kCameraAt), 1);
  EXPECT_TRUE(script.modalTitles.empty());
  clickMap(120, 80);
  EXPECT_EQ(scene().camera.x, 120);
  EXPECT_EQ(scene().camera.z, 80);
  EXPECT_EQ(script.modalTitles, std::vector<std::string>{"Camera at Height"});
  EXPECT_EQ(values.mode, SingleObject);
  EXPECT_EQ(toggle(kCameraAt), 0);
  EXPECT_EQ(status(), "Place Single Object");

  click(kCameraAt);
  click(kLook); // while " At " is pressed
  EXPECT_EQ(values.mode, PointCamera);
  EXPECT_EQ(toggle(kCameraAt), 0);
  clickMap(300, 200);
  EXPECT_EQ(scene().lookAt.x, 300);
  EXPECT_EQ(script.modalTitles.back(), "Look at Height");
  EXPECT_EQ(toggle(kLook), 0);

  menu(kEdit);
  click(kCameraAt);
  clickMap(150, 150);
  EXPECT_EQ(scene().camera.x, 150);
  EXPECT_EQ(values.mode, EditObject);

  values.waterLevel = 50;
  menu(kWaterLevel);
  EXPECT_EQ(values.mode, GetWater);
  EXPECT_TRUE(window->waterDialog()->isDisplayed());
  clickMap(450, 450);
  EXPECT_EQ(values.waterLevel, 0.0f);
  EXPECT_EQ(values.mode, EditObject);
  EXPECT_FALSE(window->waterDialog()->isDisplayed());
}

// "OK" and " Cancel " end a water pick still waiting, and show the tool it
// gives back; a tool chosen while the dialog stood open stays.
TEST_F(WindowTest, WaterDialogButtonsLeaveAModeChosenMeanwhile) {
  loadFlatMap();
  vDialog *water = window->waterDialog();
  menu(kWaterLevel);
  QTest::mouseClick(water->control(kOkId), Qt::LeftButton);
  EXPECT_EQ(values.mode, SingleObject);
  EXPECT_EQ(status(), "Place Single Object");

  menu(kWaterLevel);
  click(kLin);
  QTest::mouseClick(water->control(kOkId), Qt::LeftButton);
  EXPECT_EQ(values.mode, LineFill);
  EXPECT_EQ(toggle(kLin), 1);
  EXPECT_EQ(status(), "Place Objects LINE");

  menu(kWaterLevel);
  menu(kEdit);
  QTest::mouseClick(water->control(kCancelId), Qt::LeftButton);
  EXPECT_EQ(values.mode, EditObject);
  EXPECT_EQ(status(), " Edit Object");
}

TEST_F(WindowTest, RightClickDeletesWithinNinePixelsOnly) {
  loadFlatMap();
  clickMap(100, 100);
  clickMap(200, 200);
  clickMap(110, 100, Qt::RightButton); // ten pixels away
  EXPECT_EQ(count(0), 2);
  clickMap(104, 105, Qt::RightButton); // nine, counted along the axes
  ASSERT_EQ(count(0), 1);
  EXPECT_EQ(object(0, 0).x, 200);
}

TEST_F(WindowTest, DeleteRectangleTakesEveryTypeWithTheLeftButtonAndOneWithTheRight) {
  loadFlatMap();
  clickMap(100, 100);
  values.currentType = 1;
  clickMap(110, 110);
  clickMap(300, 300);
  menu(kDelete);
  dragMap(90, 90, 120, 120, Qt::RightButton);
  EXPECT_EQ(count(0), 1);
  EXPECT_EQ(count(1), 1);
  dragMap(90, 90, 120, 120);
  EXPECT_EQ(count(0), 0);
  EXPECT_EQ(count(1), 1);
}

TEST_F(WindowTest, MoveMoveAllAndEdit) {
  loadFlatMap();
  clickMap(100, 100);
  menu(kMoveSingle);
  dragMap(102, 101, 200, 150);
  EXPECT_EQ(object(0, 0).x, 200);
  EXPECT_EQ(object(0, 0).z, 150);

  menu(kMoveAllCmd);
  clickMap(209, 189); // the map centre (199, 199) goes here
  EXPECT_EQ(object(0, 0).x, 210);
  EXPECT_EQ(object(0, 0).z, 140);

  values.placeHeight = 2.5f;
  menu(kEdit);
  clickMap(211, 141);
  EXPECT_EQ(script.modalTitles, std::vector<std::string>{"Height of object"});
  EXPECT_EQ(object(0, 0).height, 2.5);
}

TEST_F(WindowTest, ReadoutInAllThreeUnits) {
  // Blue 255 at the top-left pixel of a 400 x 400 map.
  script.answerFile(folder.write("map.ppm", ppmBytes(400, 400, [](int x, int y) {
                                   return std::string(x + y == 0 ? "\xFF\x01\x02" : "\x40\x01\x02");
                                 })));
  menu(kHeightField);
  const char *expected[] = {" X,C,Y : 0,255,0 ", " x,y,z : .-498, .1000, .498 ",
                            " X,Y,Z : -49.875,10.000,49.875 "};
  for (int units = 0; units < 3; ++units) {
    values.unitsMode = units;
    moveTo(0, 0);
    EXPECT_EQ(readout(), expected[units]);
  }
}

class KeyTest : public WindowTest {
protected:
  void key(int k) {
    QTest::keyClick(surface(), static_cast<Qt::Key>(k));
    QApplication::processEvents();
  }
  // Puts the pointer over pane point (x, y).
  void pointAt(int x, int y) {
    QCursor::setPos(surface()->mapToGlobal(QPoint(x, y)));
    QApplication::processEvents();
    moveTo(x, y);
  }
};

TEST_F(KeyTest, ArrowsStopAtThePaneAndMapEdges) {
  loadFlatMap();
  pointAt(0, 0);
  key(Qt::Key_Left);
  key(Qt::Key_Up);
  EXPECT_EQ(window->cursorX + window->cursorY, 0);
  // The pane is wider than the map: the last map column stops the pointer.
  pointAt(399, 5);
  key(Qt::Key_Right);
  EXPECT_EQ(window->cursorX, 399);
  key(Qt::Key_Down);
  EXPECT_EQ(window->cursorY, 6);
}

TEST_F(KeyTest, ReturnPlacesAtThePointerEvenOffTheMap) {
  loadFlatMap();
  click(kLin);                                 // Return places one object in every mode
  EXPECT_EQ(window->focusWidget(), surface()); // not the button just clicked
  moveTo(450, 30);
  key(Qt::Key_Return);
  ASSERT_EQ(count(0), 1);
  EXPECT_EQ(object(0, 0).x, 450);
  EXPECT_EQ(object(0, 0).y, -1);
}

// Keys typed into the object spinner's text are the spinner's, Return too;
// with no text entry holding the keyboard the map gets them wherever it is.
TEST_F(KeyTest, TextEntriesKeepTheirKeysAndTheMapHasTheRest) {
  loadFlatMap();
  moveTo(50, 60);
  auto *spinner = qobject_cast<QAbstractSpinBox *>(window->control(kObjectType));
  ASSERT_NE(spinner, nullptr);
  spinner->setFocus();
  spinner->selectAll();
  QTest::keyClicks(spinner, "Obj 5");
  QTest::keyClick(window->focusWidget(), Qt::Key_Return);
  EXPECT_EQ(values.currentType, 4);
  EXPECT_EQ(scene().objectCount(), 0);
  click(kKeep); // a bar's button leaves the keyboard where it was
  EXPECT_EQ(window->focusWidget(), spinner);

  spinner->clearFocus();
  const int before = count(4);
  QTest::keyClick(window.get(), Qt::Key_Return);
  ASSERT_EQ(count(4), before + 1);
  EXPECT_EQ(object(4, before).x, 50);
}

// The numbers are pinned by the scroll tests; this shows the real bar drives them.
TEST_F(WindowTest, ScrollBarStepsPagesJumpsAndStops) {
  loadTarga(400, 400, [](int x, int) { return x % 200; });
  surface()->setFixedSize(200, 400);
  QApplication::processEvents();
  QScrollBar *bar = pane()->hScrollBar();
  ASSERT_TRUE(bar->isVisible());
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(scene().scrollX, 8);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(scene().scrollX, 58);
  EXPECT_EQ(pane()->pixelAt(0, 0), scene().viewImage.readPixel(58, 0));
  for (int i = 0; i < 5; ++i)
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(scene().scrollX, 200); // the last column at the pane's edge
  bar->setSliderPosition(25);
  EXPECT_EQ(scene().scrollX, 100);
  clickMap(10, 10); // placing goes to the map point under the pointer
  EXPECT_EQ(object(0, 0).x, 110);
}

// A smaller map loaded while scrolled is shown at once, from an offset it allows.
TEST_F(WindowTest, ASmallerMapLoadedWhileScrolledIsShownAtOnce) {
  loadTarga(800, 800, [](int x, int y) { return (x + y) % 200; });
  surface()->setFixedSize(200, 200);
  QApplication::processEvents();
  for (QScrollBar *bar : {pane()->hScrollBar(), pane()->vScrollBar()})
    for (int i = 0; i < 20; ++i)
      bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  ASSERT_EQ(scene().scrollX + scene().scrollY, 1200);
  loadTarga(300, 300, [](int x, int y) { return (x + 2 * y) % 200; });
  EXPECT_EQ(scene().scrollX, 100);
  EXPECT_EQ(scene().scrollY, 100);
  for (int p : {0, 199})
    EXPECT_EQ(pane()->pixelAt(p, p), scene().viewImage.readPixel(100 + p, 100 + p)) << p;
}

} // namespace
} // namespace hs
