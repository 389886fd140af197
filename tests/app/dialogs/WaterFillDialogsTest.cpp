#include "app/dialogs/WaterFillDialogs.h"

#include "DialogDriver.h"

#include <gtest/gtest.h>

namespace hs {
namespace {

using test::click;
using test::type;

struct FillStyleDialog : test::DialogFixture {
  FillDialog dialog{&main, "Fill Style", values};
};

// The count is read the way C's %i reads it: octal and hex prefixes count.
TEST_F(FillStyleDialog, SetReadsTheCountAsAnIntegerWithItsPrefixes) {
  values.mode = LineFill;
  ASSERT_TRUE(dialog.showForMode());
  type(dialog, 1005, "25");
  EXPECT_EQ(values.fillCount, 10); // typing alone changes nothing
  for (auto [text, count] : {std::pair{"25", 25}, {"010", 8}, {"0x10", 16}, {"abc", 16}}) {
    type(dialog, 1005, text);
    click(dialog, 1009);
    EXPECT_EQ(values.fillCount, count) << text;
  }
  EXPECT_TRUE(dialog.isDisplayed()); // " Set " leaves it open
}

} // namespace
} // namespace hs
