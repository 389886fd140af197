#include "gui/vApp.h"
#include "gui/vCanvasPane.h"
#include "gui/vCmdWindow.h"

#include <QAction>
#include <QLabel>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace hs {
namespace {

using Event = std::tuple<int, int, CmdKind>;

constexpr const char *kTypes[] = {"Obj 3", "Obj 2", "Obj 1"};

constexpr CommandObject kLowerBar[] = {
    {.kind = CmdKind::Button, .id = 132, .label = "Undo", .tip = "Undo Once"},
    {.kind = CmdKind::BlankLabel, .id = 142, .label = "    "},
    {.kind = CmdKind::Spinner, .id = 134, .value = 2, .label = "Object", .items = kTypes},
    {.kind = CmdKind::ToggleButton, .id = 136, .value = 1, .label = "One"},
    {.kind = CmdKind::Button, .id = 140, .label = "Fill", .enabled = false},
};

constexpr CommandObject kUpperBar[] = {
    {.kind = CmdKind::ToggleButton, .id = 123, .label = " At ", .tip = "Place Camera"},
};

constexpr MenuRecord kPrefs[] = {{.label = "Display", .id = 109}, {.label = "Pov...AT", .id = 111}};
constexpr MenuRecord kFile[] = {
    {.label = "Open.Data", .id = 106},
    {.label = "-", .id = kSeparatorId},
    {.label = "Peferences", .id = 110, .submenu = kPrefs},
    {.label = "E&xit", .id = kExitId},
};
constexpr MenuRecord kMenus[] = {{.label = " &File ", .id = 32000, .submenu = kFile}};

constexpr StatusLabel kStatus[] = {{"     Load a height feild    ", 104}, {" X,Y,Z ", 103}};

class RecordingWindow : public vCmdWindow {
public:
  RecordingWindow() : vCmdWindow("Hill Strew", 500, 300) {
    addMenuPane(std::make_unique<vMenuPane>(kMenus));
    lower = addCommandPane(new vCommandPane(kLowerBar));
    upper = addCommandPane(new vCommandPane(kUpperBar));
    addCanvasPane(new vCanvasPane);
    addStatusPane(std::make_unique<vStatusPane>(kStatus));
  }
  void windowCommand(int id, int value, CmdKind kind) override {
    events.emplace_back(id, value, kind);
    vCmdWindow::windowCommand(id, value, kind);
  }
  std::vector<Event> events;
  vCommandPane *lower = nullptr;
  vCommandPane *upper = nullptr;
};

TEST(CmdWindow, UserActionsReachTheDispatcherWithIdValueAndKind) {
  RecordingWindow w;
  w.show();
  QTest::mouseClick(w.control(123), Qt::LeftButton);
  QTest::mouseClick(w.control(132), Qt::LeftButton);
  qobject_cast<QSpinBox *>(w.control(134))->stepDown();
  w.menuAction(106)->trigger();
  w.menuAction(109)->trigger();
  const std::vector<Event> expected = {{123, 1, CmdKind::ToggleButton},
                                       {132, 0, CmdKind::Button},
                                       {134, 1, CmdKind::Spinner},
                                       {106, 0, CmdKind::Menu},
                                       {109, 0, CmdKind::Menu}};
  EXPECT_EQ(w.events, expected);
  EXPECT_EQ(w.getString(134), std::string("Obj 2"));
}

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
  EXPECT_EQ(w.getValue(123), 1);
  EXPECT_EQ(w.getValue(134), 0);
  EXPECT_TRUE(w.menuAction(106)->isChecked());
  // The user's next click reports the state it leads to.
  QTest::mouseClick(w.control(123), Qt::LeftButton);
  ASSERT_EQ(w.events.size(), 1u);
  EXPECT_EQ(w.events[0], Event(123, 0, CmdKind::ToggleButton));
  EXPECT_FALSE(w.setValue(9999, 1));
}

TEST(CmdWindow, SensitivityAndTextsByIdAcrossMenusBarsAndStatus) {
  RecordingWindow w;
  w.show();
  EXPECT_FALSE(w.control(140)->isEnabled());
  w.setSensitive(140, true);
  EXPECT_TRUE(w.control(140)->isEnabled());
  QTest::mouseClick(w.control(140), Qt::LeftButton);
  EXPECT_EQ(w.events.size(), 1u);
  w.setSensitive(106, false);
  EXPECT_FALSE(w.menuAction(106)->isEnabled());

  w.setString(104, "Smooth HF ON");
  EXPECT_EQ(w.statusLabel(104)->text(), "Smooth HF ON");
  w.setString(106, "Smooth ON ");
  EXPECT_EQ(w.menuAction(106)->text(), "Smooth ON ");
  EXPECT_FALSE(w.setString(4242, "x"));
}

class CountingApp : public vApp {
public:
  using vApp::vApp;
  vCmdWindow *newAppWin(const char *, int, int) override {
    return registerWindow(std::make_unique<RecordingWindow>());
  }
  void closeAppWin(vCmdWindow *w) override {
    ++closes;
    vApp::closeAppWin(w);
  }
  void appMain() override {
    ++entries;
    window = newAppWin("Hill Strew", 500, 300);
    // Exit from the menu, as a user would.
    static_cast<RecordingWindow *>(window)->menuAction(kExitId)->trigger();
  }
  int closes = 0;
  int entries = 0;
  vCmdWindow *window = nullptr;
};

TEST(App, RunsTheEntryOnceAndExitClosesTheWindowThroughCloseAppWin) {
  int argc = 1;
  char name[] = "test";
  char *argv[] = {name, nullptr};
  CountingApp app("HillStrew", argc, argv);
  EXPECT_EQ(app.run(), 0);
  EXPECT_EQ(app.entries, 1);
  EXPECT_EQ(app.closes, 1);
  ASSERT_NE(app.window, nullptr);
  EXPECT_FALSE(app.window->isVisible());
  EXPECT_FALSE(app.isOpen(app.window));
}

} // namespace
} // namespace hs
