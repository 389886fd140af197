#include "core/Icons.h"
#include "view/Redraw.h"

#include <gtest/gtest.h>

namespace hs {
namespace {

// The camera is copied whole; the look-at point lets the map show through
// its grey key colour.
TEST(Icons, LookAtLeavesItsGreyOutAndTheCameraDoesNot) {
  Scene s;
  s.baseImage.clear();
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x)
      s.baseImage.writePixel(x, y, 0x123456);
  s.camera = {50, 0, 50, AboveWater, 1};
  s.lookAt = {150, 0, 50, AboveGround, 0};
  ProgramValues values;
  redraw(s, values);
  const ColourValue grey = lookIcon().key();
  int keyed = 0;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 15; ++x) {
      EXPECT_EQ(s.viewImage.readPixel(43 + x, 43 + y), cameraIcon().at(x, y));
      const ColourValue c = lookIcon().at(x, y);
      keyed += c == grey;
      EXPECT_EQ(s.viewImage.readPixel(143 + x, 43 + y), c == grey ? 0x123456u : c);
    }
  EXPECT_GT(keyed, 50);
  EXPECT_EQ(cameraIcon().at(2, 5), grey); // the camera's own grey is drawn
}

} // namespace
} // namespace hs
