#include "gui/vCanvasPane.h"
#include "gui/vCmdWindow.h"
#include "gui/vDialog.h"
#include "support/DataTable.h"
#include "support/ScriptedInteraction.h"

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

// Values the program sets to follow the mode never come back as commands.
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
  QTest::mouseClick(w.control(123), Qt::LeftButton);
  EXPECT_EQ(w.events, std::vector<Event>{Event(123, 0, CmdKind::ToggleButton)});
  EXPECT_FALSE(w.setValue(9999, 1));
}

// Where dialogs first appear (the offscreen platform draws no frames).
TEST(DialogPlacement, TheWholeFrameStaysOnTheScreen) {
  for (const auto &row : test::dataTable("dialog_frames.txt")) {
    const auto main = test::numbers(row[0]), frame = test::numbers(row[1]),
               screen = test::numbers(row[2]), at = test::numbers(row[3]);
    EXPECT_EQ(dialogFramePosition(QRect(main[0], main[1], main[2], main[3]), QPoint(40, 0),
                                  QSize(frame[0], frame[1]),
                                  QRect(screen[0], screen[1], screen[2], screen[3])),
              QPoint(at[0], at[1]))
        << row[0];
  }
}

constexpr const char *kFilters[] = {"*.txt", "*.inc", "*"};

// The chosen name goes into a field of fixed size.
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
