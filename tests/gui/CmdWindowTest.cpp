#include "gui/vCanvasPane.h"
#include "gui/vCmdWindow.h"
#include "gui/vDialog.h"
#include "support/DataTable.h"
#include "support/ScriptedInteraction.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace hs {
namespace {

using Event = std::tuple<int, int, CmdKind>;

constexpr const char *kTypes[] = {"Obj 3", "Obj 2", "Obj 1"};

constexpr CommandObject kBar[] = {
    {.kind = CmdKind::Spinner, .id = 134, .value = 2, .label = "Object", .items = kTypes},
    {.kind = CmdKind::ToggleButton, .id = 136, .value = 1, .label = "One"},
    {.kind = CmdKind::ToggleButton, .id = 123, .label = " At ", .tip = "Place Camera"},
};

constexpr MenuRecord kFile[] = {{.label = "Open.Data", .id = 106}};
constexpr MenuRecord kMenus[] = {{.label = " &File ", .id = 32000, .submenu = kFile}};

class RecordingWindow : public vCmdWindow {
public:
  RecordingWindow() : vCmdWindow("Hill Strew", 500, 300) {
    addMenuPane(std::make_unique<vMenuPane>(kMenus));
    addCommandPane(new vCommandPane(kBar));
    addCanvasPane(new vCanvasPane);
  }
  void windowCommand(int id, int value, CmdKind kind) override {
    events.emplace_back(id, value, kind);
    vCmdWindow::windowCommand(id, value, kind);
  }
  std::vector<Event> events;
};

// Values the program sets to follow the mode never come back as commands.
TEST(CmdWindow, ValuesSetByTheProgramSendNoCommand) {
  RecordingWindow w;
  w.show();
  EXPECT_TRUE(w.setValue(136, 0) && w.setValue(123, 1) && w.setValue(134, 0) &&
              w.setValue(106, 1) && !w.setValue(9999, 1));
  EXPECT_EQ(
      std::tuple(w.events.size(), w.getValue(136), w.getValue(134), w.menuAction(106)->isChecked()),
      std::tuple(0U, 0, 0, true));
  QTest::mouseClick(w.control(123), Qt::LeftButton);
  EXPECT_EQ(w.events, std::vector<Event>{Event(123, 0, CmdKind::ToggleButton)});
}

// Where dialogs first appear (the offscreen platform draws no frames).
TEST(Dialogs, TheWholeFrameStaysOnTheScreenAndFileNamesFitTheirField) {
  for (const auto &row : test::dataTable("dialog_frames.txt")) {
    const auto n = test::numbers(row[0] + " " + row[1] + " " + row[2] + " " + row[3]);
    EXPECT_EQ(dialogFramePosition(QRect(n[0], n[1], n[2], n[3]), QPoint(40, 0), QSize(n[4], n[5]),
                                  QRect(n[6], n[7], n[8], n[9])),
              QPoint(n[10], n[11]))
        << row[0];
  }
  // The chosen file name goes into a field of fixed size.
  constexpr const char *kFilters[] = {"*.txt", "*.inc", "*"};
  ScriptedInteraction stand;
  stand.answerFile(std::string(20, 'a'));
  stand.answerFile(std::string(19, 'b'));
  vFileSelect chooser;
  std::string name = "keep";
  int filter = 7;
  EXPECT_EQ(chooser.fileSelect("Open", name, 19, kFilters, filter), FileResult::NameTooLong);
  EXPECT_EQ(std::pair(name, stand.fileRequests[0].filterIndex), std::pair(std::string("keep"), 0));
  EXPECT_EQ(chooser.fileSelect("Open", name, 19, kFilters, filter), FileResult::Chosen);
  EXPECT_EQ(name, std::string(19, 'b'));
}

class RecordingPane : public vCanvasPane {
public:
  void hStep(int n) override { log.push_back("hstep " + std::to_string(n)); }
  void vStep(int n) override { log.push_back("vstep " + std::to_string(n)); }
  void hPage(int size, int pos) override { log.push_back("hpage " + s(size, pos)); }
  void vPage(int size, int pos) override { log.push_back("vpage " + s(size, pos)); }
  static std::string s(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }
  std::vector<std::string> log;
};

// Figures (as in tests/gui/image) land in the backing store, which keeps the corner
// across a resize and is what the surface shows; scroll events carry percents.
TEST(CanvasPane, DrawingLandsInTheBackingStoreAndScrollEventsCarryPercents) {
  RecordingPane pane;
  pane.resize(300, 200);
  pane.show();
  QApplication::processEvents();
  vMemoryDC image(120, 80); // every pixel differs
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x)
      image.writePixel(x, y, static_cast<ColourValue>(x * 2 + y * 700 + 0x10203));
  pane.copyImage(image, 0, 0, 120, 80);
  const ColourValue at = pane.pixelAt(3, 3);
  pane.xorLine(3, 3, 3, 3);
  EXPECT_EQ(pane.pixelAt(3, 3), at ^ 0xFFFFFFu);
  pane.xorRect(3, 3, 6, 6); // its corner inverts the point back
  EXPECT_EQ(pane.pixelAt(3, 3), at);
  pane.xorEllipse(10, 10, 30, 20);
  pane.drawIcon(iconFromRows({"a"}, {{'a', 0x123456}}, false), 7, 8);
  EXPECT_EQ(std::pair(pane.pixelAt(10, 15), pane.pixelAt(7, 8)),
            std::pair((0x10203u + 10 * 2 + 15 * 700) ^ 0xFFFFFFu, 0x123456u));
  pane.showHScroll(true);
  pane.showVScroll(true);
  QApplication::processEvents();
  pane.resize(360, 200); // the width alone changes
  QApplication::processEvents();
  EXPECT_EQ(std::tuple(pane.surface()->pos(), pane.hScrollBar()->y(), pane.backing().size()),
            std::tuple(QPoint(0, 0), pane.surface()->height(), pane.surface()->size()));
  EXPECT_EQ(pane.pixelAt(5, 5), 0x10203u + 5 * 2 + 5 * 700); // kept across the resize
  const QImage shown = pane.surface()->grab().toImage();
  for (QPoint p : {QPoint(0, 0), QPoint(7, 8), QPoint(119, 79)})
    EXPECT_EQ(fromQtPixel(shown.pixel(p)), pane.pixelAt(p.x(), p.y())) << p.x() << "," << p.y();

  pane.log.clear(); // showing the bars made the drawing area smaller
  pane.setHScroll(50, 25);
  pane.setVScroll(20, 0);
  EXPECT_TRUE(pane.log.empty()); // set from the program: no event
  QScrollBar *h = pane.hScrollBar();
  using S = QAbstractSlider;
  for (auto action :
       {S::SliderSingleStepAdd, S::SliderSingleStepSub, S::SliderPageStepAdd, S::SliderPageStepSub})
    h->triggerAction(action);
  EXPECT_EQ(h->value(), 25); // the program, not the bar, moves the thumb
  pane.vScrollBar()->triggerAction(S::SliderPageStepAdd);
  pane.vScrollBar()->triggerAction(S::SliderSingleStepAdd);
  h->setSliderPosition(40); // the user drags the thumb (tracking on)
  EXPECT_EQ(pane.log, (std::vector<std::string>{"hstep 1", "hstep -1", "hpage 50,75", "hpage 0,0",
                                                "vpage 20,20", "vstep 1", "hpage 50,40"}));
}

} // namespace
} // namespace hs
