// The map pane through real mouse, key and scroll-bar events. What the model
// makes of them (reach, edges, units, offsets) is pinned in placement/ and view/;
// these show that each event reaches it as itself.
#include "AppTestSupport.h"

#include "app/dialogs/WaterFillDialogs.h"

#include <QAbstractSpinBox>
#include <QCursor>
#include <QScrollBar>

namespace hs {
namespace {

// Each pick mode waits for the map, shows its dialog and returns to the mode
// it came from with its toggle released.
TEST_F(WindowTest, PickModesWaitForTheMapAndReturn) {
  loadFlatMap();
  click(kCameraAt);
  EXPECT_EQ(toggle(kCameraAt), 1);
  clickMap(120, 80);
  EXPECT_EQ(scene().camera.x, 120);
  EXPECT_EQ(script.modalTitles, std::vector<std::string>{"Camera at Height"});
  EXPECT_EQ(values.modes.mode(), SingleObject);
  EXPECT_EQ(toggle(kCameraAt), 0);
  EXPECT_EQ(status(), "Place Single Object");

  click(kCameraAt);
  click(kLook); // while " At " is pressed
  EXPECT_EQ(toggle(kCameraAt), 0);
  clickMap(300, 200);
  EXPECT_EQ(scene().lookAt.x, 300);
  EXPECT_EQ(script.modalTitles.back(), "Look at Height");
  EXPECT_EQ(toggle(kLook), 0);

  menu(kEdit);
  values.waterLevel = 50;
  menu(kWaterLevel);
  EXPECT_TRUE(window->waterDialog()->isDisplayed());
  clickMap(450, 450);
  EXPECT_EQ(values.waterLevel, 0.0f);
  EXPECT_EQ(values.modes.mode(), EditObject);
  EXPECT_FALSE(window->waterDialog()->isDisplayed());
}

// "OK" and " Cancel " end a water pick still waiting and show the tool it
// gives back; a tool chosen while the dialog stood open stays.
TEST_F(WindowTest, WaterDialogButtonsLeaveAModeChosenMeanwhile) {
  loadFlatMap();
  vDialog *water = window->waterDialog();
  menu(kWaterLevel);
  QTest::mouseClick(water->control(kOkId), Qt::LeftButton);
  EXPECT_EQ(values.modes.mode(), SingleObject);
  menu(kWaterLevel);
  click(kLin);
  QTest::mouseClick(water->control(kOkId), Qt::LeftButton);
  EXPECT_EQ(values.modes.mode(), LineFill);
  EXPECT_EQ(toggle(kLin), 1);
  EXPECT_EQ(status(), "Place Objects LINE");
  menu(kWaterLevel);
  menu(kEdit);
  QTest::mouseClick(water->control(kCancelId), Qt::LeftButton);
  EXPECT_EQ(status(), " Edit Object");
}

// The edit commands reach their modes, with the button the user pressed.
TEST_F(WindowTest, EditModesTakeTheirButtonsFromTheMap) {
  loadFlatMap();
  clickMap(250, 250);
  clickMap(100, 100);
  values.currentType = 1;
  clickMap(110, 110);
  clickMap(110, 111, Qt::RightButton); // deletes the nearest
  EXPECT_EQ(count(1), 0);
  menu(kDelete);
  dragMap(90, 90, 120, 120, Qt::RightButton); // the current type only
  EXPECT_EQ(count(0), 2);
  dragMap(90, 90, 120, 120);
  ASSERT_EQ(count(0), 1);
  menu(kMoveSingle);
  dragMap(252, 251, 200, 150);
  EXPECT_EQ(object(0, 0).x, 200);
  menu(kMoveAllCmd);
  clickMap(209, 189); // the map centre (199, 199) goes here
  EXPECT_EQ(object(0, 0).z, 140);
  menu(kEdit);
  clickMap(211, 141);
  EXPECT_EQ(script.modalTitles, std::vector<std::string>{"Height of object"});
  moveTo(0, 0); // the readout follows the pointer
  EXPECT_EQ(readout(), " X,C,Y : 0,100,0 ");
}

class KeyTest : public WindowTest {
protected:
  void key(int k) {
    QTest::keyClick(surface(), static_cast<Qt::Key>(k));
    QApplication::processEvents();
  }
};

TEST_F(KeyTest, ArrowsMoveThePointerAndReturnPlacesAtIt) {
  loadFlatMap();
  QCursor::setPos(surface()->mapToGlobal(QPoint(100, 100)));
  QApplication::processEvents();
  moveTo(100, 100);
  for (int k : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down,
                Qt::Key_Down})
    key(k);
  EXPECT_EQ(window->cursorX, 100);
  EXPECT_EQ(window->cursorY, 101);
  click(kLin);
  EXPECT_EQ(window->focusWidget(), surface()); // not the button just clicked
  moveTo(50, 30);
  key(Qt::Key_Return);
  ASSERT_EQ(count(0), 1);
  EXPECT_EQ(object(0, 0).x, 50);
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
  QTest::keyClick(window.get(), Qt::Key_Return);
  ASSERT_EQ(count(4), 1);
  EXPECT_EQ(object(4, 0).x, 50);
}

// The real bars drive the offsets; a smaller map loaded while scrolled is
// shown at once, from an offset it allows.
TEST_F(WindowTest, ScrollBarsDriveTheOffsetsAndALoadPullsThemBack) {
  loadTarga(800, 800, [](int x, int y) { return (x + y) % 200; });
  surface()->setFixedSize(200, 200);
  QApplication::processEvents();
  QScrollBar *h = pane()->hScrollBar();
  h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(scene().scrollX, 8);
  h->setSliderPosition(25);
  EXPECT_EQ(scene().scrollX, 200);
  clickMap(10, 10); // placing goes to the map point under the pointer
  EXPECT_EQ(object(0, 0).x, 210);
  for (QScrollBar *bar : {h, pane()->vScrollBar()})
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
