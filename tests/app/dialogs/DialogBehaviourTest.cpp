#include "app/dialogs/HeightDialogs.h"
#include "app/dialogs/ScaleUnitsDialogs.h"
#include "app/dialogs/WaterFillDialogs.h"

#include "DialogDriver.h"

namespace hs {
namespace {

using test::click;
using test::type;

using G = GscalModalDialog;
using O = CLatObjectDialog;

struct ScaleDialog : test::DialogFixture {
  GscalModalDialog dialog{&main, "Scale HF", document};
  auto scale() { return std::tuple(document.scaleX(), document.scaleY(), document.scaleZ()); }
  int ok(const std::vector<std::pair<int, const char *>> &typed) {
    stand.onModal([&](vModalDialog &d) {
      for (const auto &[id, text] : typed)
        type(d, id, text);
      click(d, kOkId);
    });
    return dialog.showModalDialog("Scale");
  }
};

// An untouched entry keeps its exact value, not its 9 shown characters.
TEST_F(ScaleDialog, TypedValuesAreCutToNineCharactersAndJunkKeepsTheOldValue) {
  EXPECT_EQ(ok({{G::kScaleX, "123.45678901"}, {G::kScaleY, "abc"}, {G::kScaleZ, "-0.5"}}), kOkId);
  EXPECT_EQ(scale(), std::tuple(123.45678f, 10.0f, -0.5f));
  document.setScale(1e10f, 1e-7f, 3.0f);
  ok({});
  for (const char *text : {"nan", "inf", "-inf", "1e39"})
    ok({{G::kScaleZ, text}});
  EXPECT_EQ(scale(), std::tuple(1e10f, 1e-7f, 3.0f));
  stand.onModal([&](vModalDialog &d) {
    click(d, G::kDefault);
    EXPECT_EQ(std::tuple(d.getText(G::kScaleX), d.getText(G::kScaleY), d.getText(G::kScaleZ)),
              std::tuple("100", "10", "100"));
    click(d, kCancelId);
  });
  EXPECT_EQ(dialog.showModalDialog("Scale"), kCancelId);
  EXPECT_EQ(scale(), std::tuple(1e10f, 1e-7f, 3.0f));
}

struct ObjectDialog : test::DialogFixture {
  CLatObjectDialog dialog{&main, "Height of object", values};
  ScItem item{10, 20, 30, AboveGround, 0.0, 15.0f, 2.0f};
};

TEST_F(ObjectDialog, OkTakesTheTypedTurnAndSizeOrKeepsTheObjectsOwn) {
  for (bool escape : {true, false}) {
    stand.onModal([&](vModalDialog &d) {
      type(d, O::kTurn, "90");
      type(d, O::kSize, "4");
      if (escape)
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_NE(dialog.showForObject(item, 2, 0), kOkId);
    EXPECT_EQ(std::tuple(item.turn, item.size), std::tuple(15.0f, 2.0f));
  }
  struct Case {
    const char *turn, *size;
    float wantTurn, wantSize;
  };
  const Case cases[] = {
      // readFloat's own rules are pinned by the Scale dialog
      {"90", "0.5", 90.0f, 0.5f},
      {"0", "0", 0.0f, 2.0f},
      {"nan", "", 15.0f, 2.0f},
      {"12.3456789012", "0.0000009", 12.345678f, 2.0f},
      {"-45.25", "0.000001", -45.25f, kMinSize},
  };

  for (const Case &c : cases) {
    std::tie(item.turn, item.size, values.placeHeightMode) = std::tuple(15.0f, 2.0f, AboveGround);
    stand.onModal([&](vModalDialog &d) {
      EXPECT_EQ(std::tuple(d.getText(O::kTurn), d.getText(O::kSize),
                           d.control(O::kObjectFrame)->isEnabled(), d.getText(O::kObjectFrame)),
                std::tuple("15.0000", "2.0000", true, "Obj10 number 12"));
      type(d, O::kTurn, c.turn);
      type(d, O::kSize, c.size);
      type(d, CLatDialog::kHeight, "2.5");
      click(d, CLatDialog::kAboveCamera);
      click(d, kOkId);
    });
    EXPECT_EQ(dialog.showForObject(item, 9, 11), kOkId);
    EXPECT_EQ(std::tuple(item.turn, item.size, values.placeHeight, values.placeHeightMode, item.x,
                         item.heightMode, item.height),
              std::tuple(c.wantTurn, c.wantSize, 2.5f, int(AboveCamera), 10.0, 0, 0.0))
        << c.turn << " " << c.size;
  }
}

TEST_F(ObjectDialog, ByItselfTheFrameIsGreyedAndTheLastBoxClickedWins) {
  const int boxes[] = {CLatDialog::kAboveGround, CLatDialog::kAboveWater, CLatDialog::kAboveCamera};
  for (int mode : {AboveGround, AboveWater, AboveCamera}) {
    values.placeHeightMode = mode;
    stand.onModal([&](vModalDialog &d) {
      const auto ticks = [&] {
        return std::tuple(d.getValue(boxes[0]), d.getValue(boxes[1]), d.getValue(boxes[2]));
      };
      EXPECT_EQ(std::tuple(ticks(), d.getText(O::kTurn), d.getText(O::kSize),
                           d.control(O::kObjectFrame)->isEnabled(), d.getText(O::kObjectFrame)),
                std::tuple(std::tuple(mode == AboveGround, mode == AboveWater, mode == AboveCamera),
                           "", "", false, "This object"));
      click(d, mode == AboveWater ? boxes[AboveCamera] : boxes[mode]);
      EXPECT_EQ(ticks(), std::tuple(0, 0, mode == AboveWater));
      type(d, CLatDialog::kHeight, "-3");
      click(d, kOkId);
    });
    EXPECT_EQ(dialog.showModalDialog(""), kOkId);
    EXPECT_EQ(std::pair(values.placeHeightMode, values.placeHeight),
              std::pair(mode == AboveWater ? int(AboveCamera) : mode, -3.0f));
  }
}

struct FillStyleDialog : test::DialogFixture {
  FillDialog dialog{&main, "Fill Style", values};
};

// The count is read as C's %i reads it, up to what a scene can hold.
TEST_F(FillStyleDialog, TheCountWithItsPrefixesUpToTheObjectLimitAndTheBoxes) {
  std::tie(values.fillRandomType, values.fillRandomPlace) = std::pair(1, 1);
  values.modes.selectTool(CircleFill);
  ASSERT_TRUE(dialog.showForMode());
  EXPECT_EQ(std::tuple(dialog.windowTitle().toStdString(), dialog.getValue(FillDialog::kRandomType),
                       dialog.getValue(FillDialog::kRandomPlace)),
            std::tuple("Fill Circle", 1, 1));
  for (int on : {0, 1}) {
    click(dialog, FillDialog::kRandomType);
    click(dialog, FillDialog::kRandomPlace);
    EXPECT_EQ(std::tuple(values.fillRandomType, values.fillRandomPlace), std::tuple(on, on));
  }
  type(dialog, FillDialog::kCount, "25");
  EXPECT_EQ(values.fillCount, 10); // typing alone changes nothing
  for (auto [text, count] :
       {std::pair{"25", 25}, {"010", 8}, {"0x10", 16}, {"abc", 16}, {"10000000", 10'000'000}}) {
    type(dialog, FillDialog::kCount, text);
    click(dialog, FillDialog::kSet);
    EXPECT_EQ(values.fillCount, count) << text;
  }
  for (int button : {int{FillDialog::kSet}, kOkId}) {
    type(dialog, FillDialog::kCount, "10000001");
    click(dialog, button);
    EXPECT_EQ(values.fillCount, 10'000'000) << button;
  }
  EXPECT_EQ(std::pair(stand.notices.size(), dialog.isDisplayed()), std::pair(std::size_t{2}, true));
}

} // namespace
} // namespace hs
