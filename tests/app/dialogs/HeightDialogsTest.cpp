#include "app/dialogs/HeightDialogs.h"

#include "DialogDriver.h"

#include <gtest/gtest.h>

namespace hs {
namespace {

using test::click;
using test::type;

struct CameraDialog : test::DialogFixture {
  CatDialog dialog{&main, "Camera at Height", values};
};

TEST_F(CameraDialog, UntickingWaterMeasuresFromTheGround) {
  stand.onModal([&](vModalDialog &d) {
    EXPECT_EQ(d.getText(1007), "1.0000");
    EXPECT_EQ(d.getValue(1006), 1);
    EXPECT_EQ(d.pos(), offset(75));
    click(d, 1006);
    EXPECT_EQ(d.getText(1000), "      Height above Ground!  ");
    type(d, 1007, "-3");
    click(d, kOkId);
  });
  dialog.showModalDialog("");
  EXPECT_EQ(values.cameraHeightMode, AboveGround);
  EXPECT_FLOAT_EQ(values.cameraHeight, -3.0f);

  stand.onModal([&](vModalDialog &d) {
    EXPECT_EQ(d.getValue(1006), 0); // the box keeps what the user left
    click(d, 1006);
    EXPECT_EQ(d.getText(1000), "      Height above Water line! ");
    type(d, 1007, "high");
    click(d, kOkId);
  });
  dialog.showModalDialog("");
  EXPECT_EQ(values.cameraHeightMode, AboveWater);
  EXPECT_FLOAT_EQ(values.cameraHeight, -3.0f);
}

struct LookDialog : test::DialogFixture {
  CLatDialog dialog{&main, "Look at Height", values};
};

TEST_F(LookDialog, CameraLevelAndTypedHeight) {
  stand.onModal([&](vModalDialog &d) {
    EXPECT_EQ(d.getText(1009), "0.0000");
    EXPECT_EQ(d.getValue(1008), 1);
    click(d, 1007);
    EXPECT_EQ(d.getText(1000), "      Height above CAMERA! ");
    EXPECT_EQ(d.getValue(1008), 0);
    EXPECT_EQ(d.getValue(1007), 1);
    type(d, 1009, "2.5");
    click(d, kOkId);
  });
  dialog.showModalDialog("");
  EXPECT_EQ(values.placeHeightMode, AboveCamera);
  EXPECT_FLOAT_EQ(values.placeHeight, 2.5f);
}

TEST_F(LookDialog, ClickingTheTickedBoxLeavesNoneAndKeepsTheMode) {
  values.placeHeightMode = AboveWater;
  values.placeHeight = 4;
  stand.onModal([&](vModalDialog &d) {
    EXPECT_EQ(d.getValue(1006), 1);
    click(d, 1006); // the ticked one
    EXPECT_EQ(d.getText(1000), "      Height above Water line! ");
    EXPECT_EQ(d.getValue(1006) + d.getValue(1007) + d.getValue(1008), 0);
    type(d, 1009, "1.23456789999");
    click(d, kOkId);
  });
  dialog.showModalDialog("");
  EXPECT_EQ(values.placeHeightMode, AboveWater);
  EXPECT_FLOAT_EQ(values.placeHeight, 1.2345678f);

  // "Use Ground " ticked and clicked again: the previous mode stays too.
  values.placeHeightMode = AboveGround;
  stand.onModal([&](vModalDialog &d) {
    click(d, 1008);
    EXPECT_EQ(d.getValue(1008), 0);
    click(d, kOkId);
  });
  dialog.showModalDialog("");
  EXPECT_EQ(values.placeHeightMode, AboveGround);
}

TEST_F(LookDialog, TheTwoHeightDialogsShareOneValue) {
  CLatDialog objects(&main, "Height of object", values);
  stand.onModal([&](vModalDialog &d) {
    click(d, 1006);
    type(d, 1009, "7");
    click(d, kOkId);
  });
  dialog.showModalDialog("");
  stand.onModal([&](vModalDialog &d) {
    EXPECT_EQ(d.getText(1009), "7.0000");
    EXPECT_EQ(d.getValue(1006), 1);
    EXPECT_EQ(d.getValue(1008), 0);
    click(d, kOkId);
  });
  objects.showModalDialog("");
  EXPECT_EQ(values.placeHeightMode, AboveWater);
  EXPECT_FLOAT_EQ(values.placeHeight, 7.0f);
}

} // namespace
} // namespace hs
