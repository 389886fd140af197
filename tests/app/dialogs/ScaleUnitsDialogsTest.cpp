#include "app/dialogs/ScaleUnitsDialogs.h"

#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <tuple>

namespace hs {
namespace {

using test::click;
using test::type;

struct ScaleDialog : test::DialogFixture {
  GscalModalDialog dialog{&main, "Scale HF", values};
};

TEST_F(ScaleDialog, TypedValuesAreCutToNineCharactersAndJunkKeepsTheOldValue) {
  stand.onModal([&](vModalDialog &d) {
    type(d, 1003, "123.45678901"); // only the first 9 characters count
    type(d, 1004, "abc");          // does not parse: Y stays
    type(d, 1005, "-0.5");
    click(d, kOkId);
  });
  EXPECT_EQ(dialog.showModalDialog("Scale"), kOkId);
  EXPECT_FLOAT_EQ(values.scaleX, 123.45678f);
  EXPECT_FLOAT_EQ(values.scaleY, 10.0f);
  EXPECT_FLOAT_EQ(values.scaleZ, -0.5f);
}

TEST_F(ScaleDialog, DefaultFillsTheEntriesOnlyAndCancelChangesNothing) {
  values.scaleX = 1;
  values.scaleY = 2;
  values.scaleZ = 3;
  stand.onModal([&](vModalDialog &d) {
    click(d, 1006);
    EXPECT_EQ(d.getText(1003), "100");
    EXPECT_FLOAT_EQ(values.scaleX, 1.0f); // not yet
    click(d, kCancelId);
  });
  EXPECT_EQ(dialog.showModalDialog("Scale"), kCancelId);
  EXPECT_EQ(std::tuple(values.scaleX, values.scaleY, values.scaleZ), std::tuple(1.0f, 2.0f, 3.0f));
}

struct UnitsDialog : test::DialogFixture {
  PPlacModalDialog dialog{&main, "Display Unit Values", values};
};

TEST_F(UnitsDialog, TheChoiceTakesEffectBeforeOk) {
  stand.onModal([&](vModalDialog &d) {
    click(d, 1006);
    EXPECT_EQ(values.unitsMode, 2); // at once
    click(d, 1005);
    EXPECT_EQ(values.unitsMode, 1);
    EXPECT_EQ(d.getValue(1006), 0); // one group
  });
  dialog.showModalDialog("Display Unit Values"); // closed by the close box: still taken
  EXPECT_EQ(values.unitsMode, 1);
}

} // namespace
} // namespace hs
