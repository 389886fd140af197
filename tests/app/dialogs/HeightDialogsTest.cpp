#include "app/dialogs/HeightDialogs.h"

#include "DialogDriver.h"

#include <gtest/gtest.h>

namespace hs {
namespace {

using test::click;

struct LookDialog : test::DialogFixture {
  CLatDialog dialog{&main, "Look at Height", values};
};

// Clicking the ticked box leaves none ticked; that must not lose the mode.
TEST_F(LookDialog, ClickingTheTickedUseGroundKeepsThePreviousMode) {
  values.placeHeightMode = AboveGround;
  stand.onModal([&](vModalDialog &d) {
    EXPECT_EQ(d.getValue(1008), 1);
    click(d, 1008);
    EXPECT_EQ(d.getValue(1006) + d.getValue(1007) + d.getValue(1008), 0);
    click(d, kOkId);
  });
  dialog.showModalDialog("");
  EXPECT_EQ(values.placeHeightMode, AboveGround);
}

} // namespace
} // namespace hs
