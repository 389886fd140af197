#include "gui/vCanvasPane.h"
#include "gui/vCmdWindow.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

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

// The program sets toggles, spinners and check marks all the time to follow
// the mode; none of that may come back as a command.
TEST(CmdWindow, ValuesSetByTheProgramSendNoCommand) {
  RecordingWindow w;
  w.show();
  EXPECT_EQ(w.getValue(136), 1);
  EXPECT_TRUE(w.setValue(136, 0));
  EXPECT_TRUE(w.setValue(123, 1));
  EXPECT_TRUE(w.setValue(134, 0));
  EXPECT_TRUE(w.setValue(106, 1)); // a menu check mark
  EXPECT_TRUE(w.events.empty());
  EXPECT_EQ(w.getValue(136), 0);
  EXPECT_EQ(w.getValue(134), 0);
  EXPECT_TRUE(w.menuAction(106)->isChecked());
  // The user's next click reports the state it leads to.
  QTest::mouseClick(w.control(123), Qt::LeftButton);
  EXPECT_EQ(w.events, std::vector<Event>{Event(123, 0, CmdKind::ToggleButton)});
  EXPECT_FALSE(w.setValue(9999, 1));
}

TEST(CmdWindow, TheSpinnerShowsItsTextsAndTakesATypedOne) {
  RecordingWindow w;
  w.show();
  auto *spinner = qobject_cast<QAbstractSpinBox *>(w.control(134));
  ASSERT_NE(spinner, nullptr);
  spinner->setFocus();
  EXPECT_EQ(spinner->text(), "Obj 1");
  spinner->stepDown();
  EXPECT_EQ(spinner->text(), "Obj 2");
  spinner->selectAll();
  QTest::keyClicks(spinner, "Obj 3");
  QTest::keyClick(spinner, Qt::Key_Return);
  EXPECT_EQ(w.getValue(134), 0);
  for (const char *text : {"Obj 1", "Obj 9"}) { // not one of its texts: the value stays
    spinner->selectAll();
    QTest::keyClicks(spinner, text);
    QTest::keyClick(spinner, Qt::Key_Return);
    EXPECT_EQ(w.getValue(134), 2) << text;
  }
}

} // namespace
} // namespace hs
