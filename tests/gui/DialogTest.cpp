#include "gui/vDialog.h"
#include "gui/vInteraction.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace hs {
namespace {

constexpr CommandObject kCmds[] = {
    {.kind = CmdKind::StaticText, .id = 1, .label = "Message here", .attributes = kMainMessage},
    {.kind = CmdKind::BlankLabel, .id = 2, .label = "      ", .below = 1},
    {.kind = CmdKind::TextEntry, .id = 3, .label = "init", .rightOf = 2, .below = 1, .size = 10},
    {.kind = CmdKind::Frame, .id = 4, .label = "Group", .below = 3},
    {.kind = CmdKind::RadioButton, .id = 5, .value = 1, .label = "A", .frame = 4},
    {.kind = CmdKind::RadioButton, .id = 6, .label = "B", .frame = 4, .below = 5},
    {.kind = CmdKind::CheckBox, .id = 7, .label = "Tick", .rightOf = 4, .below = 3},
    {.kind = CmdKind::Button, .id = kCancelId, .label = " Cancel ", .below = 4},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " OK ",
     .attributes = kDefaultButton,
     .rightOf = kCancelId,
     .below = 4,
     .tip = "Take it"},
};

class TestDialog : public vModalDialog {
public:
  explicit TestDialog(QWidget *parent = nullptr) : vModalDialog(parent, "Test") {
    addDialogCmds(kCmds);
  }
  void onShown() override { ++shown; }
  void onCommand(int id, int value, CmdKind kind) override {
    events.emplace_back(id, value, kind);
    vModalDialog::onCommand(id, value, kind);
  }
  int shown = 0;
  std::vector<std::tuple<int, int, CmdKind>> events;
};

TEST(Dialog, ShowsWithMessageAndControlsByIdWithoutEvents) {
  TestDialog d;
  d.showDialog("");
  EXPECT_EQ(d.getText(1), "Message here"); // an empty message keeps the text
  d.cancelDialog();
  d.showDialog("New message");
  EXPECT_EQ(d.shown, 2);
  EXPECT_EQ(d.getText(1), "New message");
  d.setValue(6, 1);
  d.setValue(7, 1);
  EXPECT_EQ(d.getValue(5), 0); // radio buttons in a frame are one group
  EXPECT_TRUE(d.events.empty());
  QTest::mouseClick(d.control(7), Qt::LeftButton);
  QTest::mouseClick(d.control(5), Qt::LeftButton);
  ASSERT_EQ(d.events.size(), 2u);
  EXPECT_EQ(d.events[0], std::make_tuple(7, 0, CmdKind::CheckBox));
  EXPECT_EQ(d.events[1], std::make_tuple(5, 1, CmdKind::RadioButton));
  // A longer text widens the dialog instead of being cut off.
  d.setText(1, std::string(200, 'W'));
  EXPECT_GE(d.width(), d.control(1)->width());
  EXPECT_EQ(d.control(1)->width(), d.control(1)->sizeHint().width());
}

TEST(Dialog, OkCancelEnterAndEscapeClose) {
  TestDialog d;
  d.showDialog();
  QTest::keyClick(d.control(3), Qt::Key_Return); // the default button
  EXPECT_FALSE(d.isDisplayed());
  EXPECT_EQ(d.lastCommand(), kOkId);
  d.showDialog();
  EXPECT_EQ(d.lastCommand(), 0);
  QTest::keyClick(&d, Qt::Key_Escape); // as " Cancel "
  EXPECT_FALSE(d.isDisplayed());
  EXPECT_EQ(d.lastCommand(), kCancelId);
  EXPECT_EQ(std::get<0>(d.events.back()), kCancelId);
}

TEST(Dialog, ModalShowUnderAStandInRunsTheScriptedAction) {
  ScriptedInteraction stand;
  TestDialog d;
  stand.onModal([](vModalDialog &m) {
    qobject_cast<QLineEdit *>(m.control(3))->setText("typed");
    QTest::mouseClick(m.control(kOkId), Qt::LeftButton);
  });
  EXPECT_EQ(d.showModalDialog(), kOkId);
  EXPECT_EQ(d.getText(3), "typed");
  // No action left: the dialog is closed as by its close box.
  EXPECT_EQ(d.showModalDialog(), kCancelId);
  EXPECT_FALSE(d.isDisplayed());
  EXPECT_EQ(stand.modalTitles, (std::vector<std::string>{"Test", "Test"}));
}

} // namespace
} // namespace hs
