// The map pane through real mouse, key and scroll-bar events.
#include "AppTestSupport.h"

#include "app/dialogs/WaterFillDialogs.h"

#include <QCursor>
#include <QKeyEvent>
#include <QScrollBar>

namespace hs {
namespace {

TEST_F(WindowTest, CameraPickWaitsForAReleaseOnTheMap) {
  loadFlatMap();
  click(kCameraAt);
  EXPECT_EQ(values.mode, PlaceCamera);
  EXPECT_EQ(toggle(kCameraAt), 1);
  EXPECT_EQ(status(), " Place Camera ");

  clickMap(450, 20); // beyond the 400-pixel map
  EXPECT_EQ(values.mode, PlaceCamera);
  EXPECT_EQ(toggle(kCameraAt), 1);
  EXPECT_TRUE(script.modalTitles.empty());

  values.cameraHeight = 3.5f;
  clickMap(120, 80);
  EXPECT_EQ(scene().camera.x, 120);
  EXPECT_EQ(scene().camera.z, 80);
  EXPECT_EQ(scene().camera.y, 100);
  EXPECT_EQ(scene().camera.height, 3.5);
  ASSERT_EQ(script.modalTitles.size(), 1u);
  EXPECT_EQ(script.modalTitles[0], "Camera at Height");
  EXPECT_EQ(values.mode, SingleObject);
  EXPECT_EQ(toggle(kCameraAt), 0);
  EXPECT_EQ(status(), "Place Single Object");
}

TEST_F(WindowTest, LookPressedWhileAtIsPressedEndsInPointCameraWithBothReleased) {
  loadFlatMap();
  click(kCameraAt);
  click(kLook);
  EXPECT_EQ(values.mode, PointCamera);
  EXPECT_EQ(values.previousMode, SingleObject);
  EXPECT_EQ(toggle(kCameraAt), 0);
  EXPECT_EQ(status(), " Point camera at");

  clickMap(300, 200);
  EXPECT_EQ(scene().lookAt.x, 300);
  EXPECT_EQ(scene().lookAt.z, 200);
  ASSERT_EQ(script.modalTitles.size(), 1u);
  EXPECT_EQ(script.modalTitles[0], "Look at Height");
  EXPECT_EQ(values.mode, SingleObject);
  EXPECT_EQ(toggle(kLook), 0);
}

TEST_F(WindowTest, AtPressedTwiceOrAnyCommandEndsThePick) {
  click(kLin);
  click(kCameraAt);
  click(kCameraAt);
  EXPECT_EQ(values.mode, LineFill);
  EXPECT_EQ(status(), "Place Objects LINE");
  click(kCameraAt);
  menu(kScale); // the scale dialog opens with the pick already ended
  EXPECT_EQ(values.mode, LineFill);
  EXPECT_EQ(toggle(kCameraAt), 0);
  EXPECT_EQ(script.modalTitles, std::vector<std::string>{"Scale HF"});
}

TEST_F(WindowTest, CameraPickFromEditReturnsToEdit) {
  loadFlatMap();
  menu(kEdit);
  EXPECT_EQ(status(), " Edit Object");
  click(kCameraAt);
  clickMap(150, 150);
  EXPECT_EQ(scene().camera.x, 150);
  EXPECT_EQ(values.mode, EditObject);
  EXPECT_EQ(status(), "Edit Objects");
}

TEST_F(WindowTest, WaterPickOffTheMapGivesZero) {
  loadFlatMap();
  values.waterLevel = 50;
  menu(kWaterLevel);
  EXPECT_EQ(values.mode, GetWater);
  EXPECT_TRUE(window->waterDialog()->isDisplayed());
  EXPECT_EQ(status(), " Get Water Level");
  clickMap(450, 450);
  EXPECT_EQ(values.waterLevel, 0.0f);
  EXPECT_EQ(values.mode, SingleObject);
  EXPECT_FALSE(window->waterDialog()->isDisplayed());
  EXPECT_EQ(status(), "Place Single Object");

  menu(kWaterLevel);
  clickMap(10, 10);
  EXPECT_EQ(values.waterLevel, 100.0f);
}

TEST_F(WindowTest, RightClickDeletesWithinNinePixelsOnly) {
  loadFlatMap();
  clickMap(100, 100);
  clickMap(200, 200, Qt::MiddleButton);
  ASSERT_EQ(count(0), 2);
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
  EXPECT_EQ(values.mode, DeleteObjects); // the mode stays
}

TEST_F(WindowTest, MoveMoveAllAndEdit) {
  loadFlatMap();
  clickMap(100, 100);
  menu(kMoveSingle);
  EXPECT_EQ(status(), " Move Object");
  press(102, 101);
  moveTo(150, 120, Qt::LeftButton);
  moveTo(200, 150, Qt::LeftButton);
  release(200, 150);
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
                                   return x == 0 && y == 0 ? std::string("\xFF\x01\x02")
                                                           : std::string("\x40\x01\x02");
                                 })));
  menu(kHeightField);
  ASSERT_TRUE(script.notices.empty());
  moveTo(0, 0);
  EXPECT_EQ(readout(), " X,C,Y : 0,255,0 ");
  values.unitsMode = 1;
  moveTo(0, 0);
  EXPECT_EQ(readout(), " x,y,z : .-498, .1000, .498 ");
  values.unitsMode = 2;
  moveTo(0, 0);
  EXPECT_EQ(readout(), " X,Y,Z : -49.875,10.000,49.875 ");
  moveTo(450, 10); // off the map: the text stays, the position is kept
  EXPECT_EQ(readout(), " X,Y,Z : -49.875,10.000,49.875 ");
  EXPECT_EQ(window->cursorX, 450);
}

TEST_F(WindowTest, RubberLineFollowsTheDragAndGoesWithTheRelease) {
  loadFlatMap();
  click(kLin);
  const ColourValue map = scene().viewImage.readPixel(90, 60);
  press(40, 60);
  moveTo(140, 60, Qt::LeftButton);
  EXPECT_NE(pane()->pixelAt(90, 60), map);
  moveTo(40, 120, Qt::LeftButton); // the first line is taken away again
  EXPECT_EQ(pane()->pixelAt(90, 60), map);
  EXPECT_NE(pane()->pixelAt(40, 90), scene().viewImage.readPixel(40, 90));
  release(40, 120);
  EXPECT_EQ(count(0), values.fillCount);
  EXPECT_EQ(pane()->pixelAt(41, 91), scene().viewImage.readPixel(41, 91));
}

TEST_F(WindowTest, DisplayTogglesRedrawTheMap) {
  loadTarga(400, 400, [](int x, int) { return x < 200 ? 10 : 90; });
  values.waterLevel = 50;
  click(kWaterToggle);
  EXPECT_EQ(scene().showWater, 1);
  EXPECT_EQ(pane()->pixelAt(50, 50), vColor(18, 19, 238).value());
  EXPECT_NE(pane()->pixelAt(250, 50), vColor(18, 19, 238).value());
  click(kViewToggle);
  EXPECT_EQ(scene().showView, 1);
  click(kOrder);
  EXPECT_EQ(values.showOrder, 1);
  click(kOrder);
  EXPECT_EQ(values.showOrder, 0);
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
  pointAt(0, 5);
  key(Qt::Key_Left);
  EXPECT_EQ(window->cursorX, 0);
  key(Qt::Key_Right);
  EXPECT_EQ(window->cursorX, 1);
  key(Qt::Key_Up);
  EXPECT_EQ(window->cursorY, 4);

  // The pane is wider than the map: the last map column stops the pointer.
  pointAt(399, 0);
  key(Qt::Key_Right);
  EXPECT_EQ(window->cursorX, 399);
  key(Qt::Key_Up);
  EXPECT_EQ(window->cursorY, 0);
  key(Qt::Key_Down);
  EXPECT_EQ(window->cursorY, 1);
  key(Qt::Key_Left);
  EXPECT_EQ(window->cursorX, 398);
}

TEST_F(KeyTest, ReturnPlacesAtThePointerEvenOffTheMap) {
  loadFlatMap();
  click(kLin);                                 // Return places one object in every mode
  EXPECT_EQ(window->focusWidget(), surface()); // not the button just clicked
  moveTo(60, 70);
  key(Qt::Key_Return);
  ASSERT_EQ(count(0), 1);
  EXPECT_EQ(object(0, 0).x, 60);
  EXPECT_EQ(object(0, 0).y, 100);
  moveTo(450, 30);
  key(Qt::Key_Return);
  ASSERT_EQ(count(0), 2);
  EXPECT_EQ(object(0, 1).x, 450);
  EXPECT_EQ(object(0, 1).y, -1);
  EXPECT_EQ(object(0, 1).z, 30);
}

TEST_F(WindowTest, ScrollBarsStepEightPixelsAndPageFifty) {
  loadTarga(512, 512, [](int x, int) { return x % 200; });
  surface()->setFixedSize(400, 400);
  QApplication::processEvents();
  ASSERT_EQ(scene().viewWidth, 400);
  QScrollBar *bar = pane()->hScrollBar();
  ASSERT_TRUE(bar->isVisible());
  EXPECT_EQ(scene().hThumbPercent, 78);

  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(scene().scrollX, 8);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(scene().scrollX, 58);
  // The pane shows the map from the new offset.
  EXPECT_EQ(pane()->pixelAt(0, 0), scene().viewImage.readPixel(58, 0));
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(scene().scrollX, 112);
  bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(scene().scrollX, 104);
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(scene().scrollX, 54);
}

TEST_F(WindowTest, ThumbMovedOnAHalfWidthPaneJumpsThere) {
  loadFlatMap();
  surface()->setFixedSize(200, 400);
  QApplication::processEvents();
  ASSERT_EQ(scene().hThumbPercent, 50);
  QScrollBar *bar = pane()->hScrollBar();
  ASSERT_TRUE(bar->isVisible());
  bar->setSliderPosition(25);
  EXPECT_EQ(scene().scrollX, 100);
  // Placing now goes to the map point under the pointer.
  clickMap(10, 10);
  EXPECT_EQ(object(0, 0).x, 110);
}

} // namespace
} // namespace hs
