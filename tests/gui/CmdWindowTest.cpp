#include "gui/vApp.h"
#include "gui/vCanvasPane.h"
#include "gui/vCmdWindow.h"
#include "gui/vDialog.h"
#include "support/ScriptedInteraction.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
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

// "Exit" hides every open window, not only the last one.
TEST(CmdWindow, ExitClosesEveryWindow) {
  int argc = 1;
  char name[] = "test";
  char *argv[] = {name, nullptr};
  struct App : vApp {
    using vApp::registerWindow;
    using vApp::vApp;
  } app("test", argc, argv);
  vCmdWindow *first = app.registerWindow(std::make_unique<RecordingWindow>());
  vCmdWindow *second = app.registerWindow(std::make_unique<RecordingWindow>());
  app.exitApp();
  EXPECT_FALSE(first->isVisible() || second->isVisible() || app.isOpen(first));
}

// Where dialogs first appear, as a function of the window and screen geometry
// (the offscreen platform draws no frames, so the widgets cannot show it).

TEST(DialogPlacement, TheWholeFrameStaysOnTheScreen) {
  const QRect screen(0, 0, 1280, 1024);
  const QSize frame(300, 200);
  struct Case {
    const char *what;
    QRect main;
    QPoint expected;
  };
  const Case cases[] = {
      {"room enough", QRect(100, 50, 500, 300), QPoint(140, 50)},
      {"maximised at y -1", QRect(-1, -1, 1282, 1026), QPoint(39, 0)},
      {"past the right and bottom edges", QRect(1200, 900, 500, 300), QPoint(980, 824)},
      {"above and left of the screen", QRect(-400, -300, 500, 300), QPoint(0, 0)},
  };
  for (const Case &c : cases)
    EXPECT_EQ(dialogFramePosition(c.main, QPoint(40, 0), frame, screen), c.expected) << c.what;
  // A second screen to the right counts from its own corner.
  EXPECT_EQ(dialogFramePosition(QRect(1280, -1, 800, 600), QPoint(40, 0), frame,
                                QRect(1280, 0, 1920, 1080)),
            QPoint(1320, 0));
  // Larger than the screen: the title bar stays reachable.
  EXPECT_EQ(dialogFramePosition(QRect(50, 50, 500, 300), QPoint(40, 0), QSize(2000, 1500), screen),
            QPoint(0, 0));
}

constexpr const char *kFilters[] = {"*.txt", "*.inc", "*"};

// The chosen name goes into a field of fixed size; an out-of-range filter
// index must not be used to pick the filter.
TEST(FileSelect, RefusesNamesLongerThanTheFieldAndClampsTheFilter) {
  ScriptedInteraction stand;
  stand.answerFile(std::string(20, 'a'));
  stand.answerFile(std::string(19, 'b'));
  vFileSelect chooser;
  std::string name = "keep";
  int filter = 7;
  EXPECT_EQ(chooser.fileSelect("Open", name, 19, kFilters, filter), FileResult::NameTooLong);
  EXPECT_EQ(name, "keep");
  EXPECT_EQ(stand.fileRequests[0].filterIndex, 0);
  EXPECT_EQ(chooser.fileSelect("Open", name, 19, kFilters, filter), FileResult::Chosen);
  EXPECT_EQ(name, std::string(19, 'b'));
}

} // namespace
} // namespace hs
