// The map pane through real events; what the model makes of them is pinned elsewhere.
#include "AppTestSupport.h"

#include "app/dialogs/WaterFillDialogs.h"

#include <QAbstractSpinBox>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace hs {
namespace {

// Picks wait for the map; OK and Cancel of the water dialog end one too.
TEST_F(WindowTest, PickModesWaitForTheMapAndReturn) {
  click(kCameraAt);
  EXPECT_EQ(toggle(kCameraAt), 1);
  clickMap(120, 80);
  EXPECT_EQ(
      std::tuple(scene().document().camera().x, values.modes.mode(), toggle(kCameraAt), status()),
      std::tuple(120.0, int(SingleObject), 0, "Place Single Object"));
  EXPECT_EQ(script.modalTitles, std::vector<std::string>{"Camera at Height"});

  click(kCameraAt);
  click(kLook); // while " At " is pressed
  EXPECT_EQ(toggle(kCameraAt), 0);
  clickMap(300, 200);
  EXPECT_EQ(std::tuple(scene().document().lookAt().x, script.modalTitles.back(), toggle(kLook)),
            std::tuple(300.0, "Look at Height", 0));

  menu(kEdit);
  scene().document().setWaterLevel(50);
  menu(kWaterLevel);
  EXPECT_TRUE(window->waterDialog()->isDisplayed());
  clickMap(450, 450);
  EXPECT_EQ(std::tuple(scene().document().waterLevel(), values.modes.mode(),
                       window->waterDialog()->isDisplayed()),
            std::tuple(0.0f, int(EditObject), false));
  click(kCameraAt);
  click(kCameraAt); // released again: the mode's status is back
  EXPECT_EQ(std::tuple(values.modes.mode(), status()), std::tuple(int(EditObject), "Edit Objects"));

  vDialog *water = window->waterDialog();
  click(kBox);
  menu(kWaterLevel);
  QTest::mouseClick(water->control(kOkId), Qt::LeftButton);
  EXPECT_EQ(std::pair(values.modes.mode(), toggle(kBox)), std::pair(int(BoxFill), 1));
  menu(kWaterLevel);
  click(kLin);
  QTest::mouseClick(water->control(kOkId), Qt::LeftButton);
  EXPECT_EQ(std::tuple(values.modes.mode(), toggle(kLin), status()),
            std::tuple(int(LineFill), 1, "Place Objects LINE"));
  menu(kWaterLevel);
  menu(kEdit);
  QTest::mouseClick(water->control(kCancelId), Qt::LeftButton);
  EXPECT_EQ(status(), " Edit Object");
}

// The water shown follows every level, typed, picked or undone.
TEST_F(WindowTest, OnA16BitMapTheHeightReadIsTheWaterLineAndTheWaterShowsEachLevel) {
  std::string pgm = "P5 40 20 65535\n"; // 1000 + 300 x: no two bytes alike
  for (int i = 0; i < 40 * 20; ++i)
    pgm += {char((1000 + 300 * (i % 40)) >> 8), char((1000 + 300 * (i % 40)) & 0xFF)};
  loadTarga(pgm, "hill.pgm");
  menu(kActualSize); // a new map shows fitted; this one at its own size
  click(kWaterToggle);
  auto shoreAt = [this](int x) { // on row 5
    const LRMemoryDC &v = scene().viewImage;
    return v.readPixel(x, 5) == waterColour.value() && v.readPixel(x + 1, 5) != waterColour.value();
  };
  moveTo(10, 5);
  EXPECT_EQ(window->getString(kReadoutLabel), " X,C,Y : 10,4000,5 ");
  menu(kWaterLevel);
  GwatDialog *dialog = window->waterDialog();
  dialog->setText(GwatDialog::kLevel, "4000");
  QTest::mouseClick(dialog->control(kOkId), Qt::LeftButton);
  EXPECT_EQ(std::pair(dialog->getText(GwatDialog::kRange), shoreAt(10)),
            std::pair(std::string("0-65535"), true));
  menu(kWaterLevel);
  clickMap(30, 5); // clear of the camera and look-at icons
  EXPECT_TRUE(shoreAt(30));
  menu(kHistoryUndo);
  EXPECT_TRUE(shoreAt(10));
}

// A key held on from closing a notice used to place object on object as X repeated it.
TEST_F(WindowTest, KeysReachTheMapButNotFromATextEntryNorFromANotice) {
  click(kLin);
  EXPECT_EQ(window->focusWidget(), surface()); // not the button just clicked
  moveTo(50, 30);
  key(Qt::Key_Return);
  EXPECT_EQ(last(), std::tuple(1, 50.0, 30.0));

  moveTo(50, 60);
  auto *spinner = qobject_cast<QAbstractSpinBox *>(window->control(kObjectType));
  ASSERT_NE(spinner, nullptr);
  spinner->setFocus();
  spinner->selectAll();
  QTest::keyClicks(spinner, "Obj 5");
  QTest::keyClick(window->focusWidget(), Qt::Key_Return);
  EXPECT_EQ(std::tuple(values.currentType, scene().document().objectCount()), std::tuple(4, 1LL));
  click(kKeep); // a bar's button leaves the keyboard where it was
  EXPECT_EQ(window->focusWidget(), spinner);
  spinner->clearFocus();
  QTest::keyClick(window.get(), Qt::Key_Return);
  EXPECT_EQ(last(4), std::tuple(1, 50.0, 60.0));
  click(kOne);
  std::uint64_t time = 1000;
  // X repeats as a release and a press of one time, unmarked if the press came late.
  const auto repeat = [this, &time](Qt::Key k, bool marked = true) {
    ++time;
    for (QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
      QKeyEvent e(type, k, Qt::NoModifier, QString(), marked);
      e.setTimestamp(time);
      QApplication::sendEvent(surface(), &e);
    }
    QApplication::processEvents(); // the pointer's moves come back
  };
  QCursor::setPos(surface()->mapToGlobal(QPoint(50, 50)));
  moveTo(50, 50);
  for (Qt::Key k : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
    vInteraction *stand = setInteraction(nullptr); // a real notice
    QTimer::singleShot(0, [k] {
      QTest::keyClick(
          qobject_cast<QMessageBox *>(QApplication::activeModalWidget())->button(QMessageBox::Ok),
          k);
    });
    menu(kAbout);
    setInteraction(stand);
    repeat(k);
    repeat(k, false);
  }
  clickMap(100, 100);
  repeat(Qt::Key_Return);
  QApplication::setActiveWindow(nullptr);
  QTest::keyClick(surface(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(scene().document().objectCount(), 2);
  QTest::keyPress(surface(), Qt::Key_Return);
  repeat(Qt::Key_Return);
  QTest::keyPress(surface(), Qt::Key_Down);
  repeat(Qt::Key_Down, false);
  repeat(Qt::Key_Down);
  EXPECT_EQ(std::pair(scene().document().objectCount(), window->cursorY), std::pair(3LL, 53));
}

TEST_F(WindowTest, ScrollBarsDriveTheOffsetsAndANewMapShowsWhole) {
  loadTarga(targaBytes(800, 800, [](int x, int y) { return (x + y) % 200; }));
  surface()->setFixedSize(200, 200);
  QApplication::processEvents();
  menu(kActualSize);
  for (QScrollBar *bar : {window->mapPane()->hScrollBar(), window->mapPane()->vScrollBar()})
    for (int i = 0; i < 20; ++i)
      bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  ASSERT_EQ(std::tuple(scene().scrollX, scene().scrollY), std::tuple(600, 600));
  // A new map shows whole, at the largest zoom that fits, and says so.
  loadTarga(targaBytes(300, 300, [](int x, int y) { return (x + 2 * y) % 200; }));
  EXPECT_EQ(
      std::tuple(scene().zoom, scene().scrollX, scene().scrollY, window->getString(kZoomLabel)),
      std::tuple(-1, 0, 0, " 50 % "));
}

} // namespace
} // namespace hs
