#include "gui/vCanvasPane.h"

#include <QApplication>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hs {
namespace {

class RecordingPane : public vCanvasPane {
public:
  void hStep(int n) override { log.push_back("hstep " + std::to_string(n)); }
  void vStep(int n) override { log.push_back("vstep " + std::to_string(n)); }
  void hPage(int size, int pos) override { log.push_back("hpage " + s(size, pos)); }
  void vPage(int size, int pos) override { log.push_back("vpage " + s(size, pos)); }
  static std::string s(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }
  std::vector<std::string> log;
};

// A pane showing a 120 x 80 image where every pixel differs.
struct PaneFixture : ::testing::Test {
  void SetUp() override {
    pane.resize(300, 200);
    pane.show();
    QApplication::processEvents();
    vMemoryDC image(120, 80);
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 120; ++x)
        image.writePixel(x, y, static_cast<ColourValue>(x * 2 + y * 700 + 0x10203));
    pane.copyImage(image, 0, 0, 120, 80);
    pane.log.clear();
  }
  RecordingPane pane;
};

// Figures (drawn as in tests/gui/image) land in the backing store, which keeps
// the corner across a resize and is what the surface shows.
TEST_F(PaneFixture, DrawingLandsInTheBackingStoreWhichTheSurfaceShows) {
  const ColourValue at = pane.pixelAt(3, 3);
  pane.xorLine(3, 3, 3, 3);
  EXPECT_EQ(pane.pixelAt(3, 3), at ^ 0xFFFFFFu);
  pane.xorRect(3, 3, 6, 6); // its corner inverts the point back
  EXPECT_EQ(pane.pixelAt(3, 3), at);
  const QImage before = pane.backing().copy();
  pane.xorEllipse(10, 10, 30, 20);
  EXPECT_NE(pane.backing(), before);
  pane.drawIcon(iconFromRows({"a"}, {{'a', 0x123456}}, false), 7, 8);
  EXPECT_EQ(pane.pixelAt(7, 8), 0x123456u);

  pane.showHScroll(true);
  pane.showVScroll(true);
  QApplication::processEvents();
  pane.resize(360, 200); // the width alone changes
  QApplication::processEvents();
  EXPECT_EQ(pane.surface()->pos(), QPoint(0, 0));
  EXPECT_EQ(pane.hScrollBar()->y(), pane.surface()->height());
  EXPECT_EQ(pane.backing().size(), pane.surface()->size());
  EXPECT_EQ(pane.pixelAt(5, 5), 0x10203u + 5 * 2 + 5 * 700); // kept across the resize
  const QImage shown = pane.surface()->grab().toImage();
  for (QPoint p : {QPoint(0, 0), QPoint(7, 8), QPoint(119, 79)})
    EXPECT_EQ(fromQtPixel(shown.pixel(p)), pane.pixelAt(p.x(), p.y())) << p.x() << "," << p.y();
}

TEST_F(PaneFixture, ScrollEventsCarryPercentValues) {
  pane.showHScroll(true);
  pane.showVScroll(true);
  QApplication::processEvents();
  pane.log.clear(); // showing the bars made the drawing area smaller
  pane.setHScroll(50, 25);
  pane.setVScroll(20, 0);
  EXPECT_TRUE(pane.log.empty()); // set from the program: no event
  QScrollBar *h = pane.hScrollBar();
  h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  h->triggerAction(QAbstractSlider::SliderSingleStepSub);
  h->triggerAction(QAbstractSlider::SliderPageStepAdd);
  h->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(h->value(), 25); // the program, not the bar, moves the thumb
  pane.vScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  pane.vScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  h->setSliderPosition(40); // the user drags the thumb (tracking on)
  EXPECT_EQ(pane.log, (std::vector<std::string>{"hstep 1", "hstep -1", "hpage 50,75", "hpage 0,0",
                                                "vpage 20,20", "vstep 1", "hpage 50,40"}));
}

} // namespace
} // namespace hs
