// Zoomed in to 4x and out to a quarter, positions stay whole map pixels.
#include "AppTestSupport.h"

#include <QCursor>
#include <QWheelEvent>

namespace hs {
namespace {

class ZoomedWindow : public WindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(ZoomedWindow, EveryKindOfModeArrowsAndTheWheelWorkOnMapPixels) {
  const auto wheel = [this](int dy, Qt::KeyboardModifiers modifiers) {
    QWheelEvent e(QPointF(0, 0), surface()->mapToGlobal(QPointF(0, 0)), QPoint(), QPoint(0, dy),
                  Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(surface(), &e);
  };
  // The pane point showing map point v (all used are 2 more than a multiple of 4).
  const auto at = [this](int v) { return GetParam() > 0 ? v * 4 + 2 : v / 4; };
  for (int i = 0; i < 2; ++i)
    wheel(GetParam() > 0 ? 120 : -120, Qt::ControlModifier);
  ASSERT_EQ(std::tuple(scene().zoom, scene().scrollX, scene().scrollY),
            std::tuple(GetParam(), 0, 0));
  clickMap(at(50), at(42));
  EXPECT_EQ(last(), std::tuple(1, 50.0, 42.0));
  // The pick reaches 10 screen pixels, whatever that is on the map.
  values.currentType = 1;
  clickMap(at(70), at(22));
  clickMap(at(70) + 11, at(22), Qt::RightButton);
  EXPECT_EQ(std::get<0>(last(1)), 1);
  clickMap(at(70) + 9, at(22), Qt::RightButton);
  EXPECT_EQ(std::get<0>(last(1)), 0);
  std::tie(values.currentType, values.fillCount) = std::pair(0, 2);
  click(kBox);
  dragMap(at(10), at(10), at(30), at(26));
  EXPECT_EQ(std::pair(last(), scene().document().objects()[0][1].x),
            std::pair(std::tuple(5, 30.0, 26.0), 10.0));
  menu(kMoveSingle);
  dragMap(at(50) + 1, at(42), at(90), at(62));
  const ScItem &moved = scene().document().objects()[0][0];
  EXPECT_EQ(std::tuple(moved.x, moved.z), std::tuple(90.0, 62.0));
  menu(kDelete);
  dragMap(at(86), at(58), at(94), at(66), Qt::RightButton);
  EXPECT_EQ(std::get<0>(last()), 4);
  menu(kEdit);
  clickMap(at(30) + 2, at(26) - 2);
  EXPECT_EQ(script.modalTitles, std::vector<std::string>{"Height of object"});

  // Zoomed in an arrow moves the pointer a block; zoomed out within its pixel.
  click(kOne);
  QCursor::setPos(surface()->mapToGlobal(QPoint(at(50), at(42))));
  QApplication::processEvents();
  moveTo(at(50), at(42));
  key(Qt::Key_Down);
  key(Qt::Key_Right);
  EXPECT_EQ(std::tuple(window->cursorX, window->cursorY), std::tuple(51, 43));
  key(Qt::Key_Return);
  EXPECT_EQ(last(), std::tuple(5, 51.0, 43.0));
  if (GetParam() > 0) { // 40 pixels a notch; with Shift, sideways
    wheel(-120, Qt::NoModifier);
    wheel(-240, Qt::ShiftModifier);
    // The readout follows: the pointer, at the pane's corner, is over map (20, 10) now.
    EXPECT_EQ(std::tuple(scene().scrollX, scene().scrollY, window->cursorX, window->cursorY),
              std::tuple(80, 40, 20, 10));
    wheel(120, Qt::NoModifier);
    EXPECT_EQ(scene().scrollY, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(FourTimesAndAQuarter, ZoomedWindow, ::testing::Values(2, -2));

// Ctrl+wheel zooms about the pointer, the zoom command about the pane's centre.
TEST_F(WindowTest, TheWheelZoomsAboutThePointerAndTheKeysAboutTheCentre) {
  QWheelEvent e(QPointF(60, 120), surface()->mapToGlobal(QPointF(60, 120)), QPoint(),
                QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(surface(), &e);
  EXPECT_EQ(std::tuple(scene().zoom, scene().mapPointAt(60, 120)), std::tuple(1, Point{60, 120}));
  const int x = scene().viewWidth / 2, y = scene().viewHeight / 2;
  const Point centre = scene().mapPointAt(x, y);
  menu(kZoomIn);
  EXPECT_EQ(std::tuple(scene().zoom, scene().mapPointAt(x, y)), std::tuple(2, centre));
}

} // namespace
} // namespace hs
