#include "app/dialogs/WaterFillDialogs.h"

#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace hs {
namespace {

using test::click;
using test::type;

struct WaterDialog : test::DialogFixture {
  void SetUp() override {
    DialogFixture::SetUp();
    values.mode = LineFill;
    dialog.setPickEndedHook([this](bool byMap) { ends.push_back(byMap); });
  }
  GwatDialog dialog{&main, "Water Level", values};
  std::vector<bool> ends;
};

TEST_F(WaterDialog, TypedLevelOnOkReturnsToTheToolBefore) {
  dialog.startPick();
  EXPECT_EQ(values.mode, GetWater);
  EXPECT_EQ(values.previousMode, LineFill);
  ASSERT_TRUE(dialog.isDisplayed()); // modeless: startPick returned at once
  EXPECT_EQ(dialog.getText(1004), "0.0000");
  EXPECT_EQ(dialog.pos(), offset(40));
  type(dialog, 1004, "300"); // no range check
  click(dialog, kOkId);
  EXPECT_FALSE(dialog.isDisplayed());
  EXPECT_FLOAT_EQ(values.waterLevel, 300.0f);
  EXPECT_EQ(values.mode, LineFill);
  EXPECT_EQ(ends, std::vector<bool>{false});
}

TEST_F(WaterDialog, CancelAndEscapeKeepTheLevel) {
  values.waterLevel = 12;
  for (bool escape : {false, true}) {
    dialog.startPick();
    type(dialog, 1004, "128");
    if (escape)
      QTest::keyClick(&dialog, Qt::Key_Escape);
    else
      click(dialog, kCancelId);
    EXPECT_FALSE(dialog.isDisplayed());
    EXPECT_FLOAT_EQ(values.waterLevel, 12.0f);
    EXPECT_EQ(values.mode, LineFill);
  }
  EXPECT_EQ(ends, (std::vector<bool>{false, false}));
}

TEST_F(WaterDialog, APickOnTheMapEndsItAndNoHeightGivesZero) {
  values.waterLevel = 50;
  dialog.startPick();
  type(dialog, 1004, "77");
  dialog.startPick(); // already on screen: not shown again, the entry keeps its text
  EXPECT_EQ(dialog.getText(1004), "77");
  EXPECT_EQ(values.previousMode, LineFill); // still the tool to return to
  dialog.endPick(-1);
  EXPECT_FALSE(dialog.isDisplayed());
  EXPECT_FLOAT_EQ(values.waterLevel, 0.0f);
  EXPECT_EQ(values.mode, LineFill);
  dialog.startPick();
  dialog.endPick(131);
  EXPECT_FLOAT_EQ(values.waterLevel, 131.0f);
  EXPECT_EQ(ends, (std::vector<bool>{true, true}));
}

struct FillStyleDialog : test::DialogFixture {
  FillDialog dialog{&main, "Fill Style", values};
};

TEST_F(FillStyleDialog, SetTakesTheCountAndStaysOpen) {
  values.mode = LineFill;
  ASSERT_TRUE(dialog.showForMode());
  EXPECT_EQ(dialog.windowTitle(), "Fill Line");
  EXPECT_EQ(dialog.getText(1005), "10");
  EXPECT_EQ(dialog.pos(), offset(275));
  type(dialog, 1005, "25");
  EXPECT_EQ(values.fillCount, 10); // typing alone changes nothing
  click(dialog, 1009);
  EXPECT_EQ(values.fillCount, 25);
  EXPECT_TRUE(dialog.isDisplayed());
  for (auto [text, count] : {std::pair{"010", 8}, {"0x10", 16}, {"-4", -4}, {"0", 0}, {"abc", 0}}) {
    type(dialog, 1005, text);
    click(dialog, 1009);
    EXPECT_EQ(values.fillCount, count) << text;
  }
  type(dialog, 1005, "1234567890123"); // 9 characters: 123456789
  click(dialog, kOkId);                // " Hide " parses too, then closes
  EXPECT_EQ(values.fillCount, 123456789);
  EXPECT_FALSE(dialog.isDisplayed());
}

TEST_F(FillStyleDialog, CheckBoxesActAtOnce) {
  values.mode = BoxFill;
  dialog.showForMode();
  click(dialog, 1007);
  EXPECT_EQ(values.fillRandomType, 1);
  click(dialog, 1010);
  EXPECT_EQ(values.fillRandomPlace, 1);
  click(dialog, 1010);
  EXPECT_EQ(values.fillRandomPlace, 0);
  click(dialog, kOkId);
  // Shown again, a set value ticks its box.
  values.fillRandomPlace = 1;
  dialog.showForMode();
  EXPECT_EQ(dialog.getValue(1010), 1);
  EXPECT_EQ(dialog.getValue(1007), 1);
}

TEST_F(FillStyleDialog, FollowsTheModeOfTheToolButtons) {
  values.mode = SingleObject;
  EXPECT_FALSE(dialog.showForMode());
  EXPECT_FALSE(dialog.isDisplayed());
  values.mode = CircleFill;
  EXPECT_TRUE(dialog.showForMode());
  EXPECT_EQ(dialog.windowTitle(), "Fill Circle");
  EXPECT_FALSE(dialog.showForMode()); // already on screen
  values.mode = BoxFill;
  dialog.followMode();
  EXPECT_EQ(dialog.windowTitle(), "Fill BOX");
  values.mode = DeleteObjects;
  dialog.followMode();
  EXPECT_TRUE(dialog.isDisplayed());
  values.mode = SingleObject;
  dialog.followMode();
  EXPECT_FALSE(dialog.isDisplayed());
  EXPECT_EQ(FillDialog::titleForMode(GetWater), nullptr);
}

} // namespace
} // namespace hs
