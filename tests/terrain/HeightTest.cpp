#include "terrain/Height.h"

#include <gtest/gtest.h>

namespace hs {
namespace {

TEST(Height, SamplersRefuseOffMapAndWhite) {
  Scene s;
  s.baseImage.clear();
  s.baseImage.writePixel(0, 0, 0x2A0000); // blue 42
  s.baseImage.writePixel(1, 0, 0x000102); // red 2, green 1
  EXPECT_EQ(height8At(s, -1, 0), -1);
  EXPECT_EQ(height8At(s, s.mapWidth, 0), -1);
  EXPECT_EQ(height8At(s, 0, s.mapHeight), -1);
  EXPECT_EQ(height8At(s, 0, 0), 42);
  EXPECT_EQ(height8At(s, 5, 5), -1);      // pure white carries no height
  s.baseImage.writePixel(2, 0, 0xFFFFFE); // one step off white: blue 255
  s.baseImage.writePixel(3, 0, 0xFEFFFF);
  EXPECT_EQ(height8At(s, 2, 0), 255);
  EXPECT_EQ(height8At(s, 3, 0), 254);
  // White reached by inverting or by Qt's own painting is white too.
  s.baseImage.writePixel(4, 1, 0);
  s.baseImage.setDrawMode(DrawMode::Invert);
  s.baseImage.drawLine(4, 1, 4, 1);
  s.baseImage.setDrawMode(DrawMode::Normal);
  s.baseImage.setPen(vPen{kWhite, 3, LineStyle::Solid});
  s.baseImage.drawLine(10, 10, 20, 10);
  EXPECT_EQ(height8At(s, 4, 1), -1);
  EXPECT_EQ(height8At(s, 15, 10), -1);
  EXPECT_EQ(height16At(s, 1, 0), 258);
  EXPECT_EQ(height16At(s, 5, 5), 65535);
  EXPECT_EQ(height16At(s, 0, -1), -1);
  EXPECT_EQ(heightAt(s, 1, 0), 0);
  s.hfType = 1;
  EXPECT_EQ(heightAt(s, 1, 0), 258);
  EXPECT_EQ(maxHeight(s), 65535);
  EXPECT_EQ(heightAtItem(s, 1.9, 0.7), 258);  // truncated toward zero
  EXPECT_EQ(heightAtItem(s, -0.5, 0.0), 0);   // -0.5 truncates to column 0
  EXPECT_EQ(heightAtItem(s, 1e300, 0.0), -1); // far off the map
}

// Positions and the usual height modes reach the include file, pinned by the
// export tool's golden files; these are the edges.
TEST(ToPov, HeightModes) {
  Scene s;
  ProgramValues v;
  v.waterLevel = 50;
  ScItem wet{200, 20, 199, AboveWater, 0.5};
  EXPECT_DOUBLE_EQ(toPov(s, v, wet, 0).y, 50.0 / 255 * 10 + 0.5);
  wet.y = 60;
  EXPECT_DOUBLE_EQ(toPov(s, v, wet, 0).y, 60.0 / 255 * 10 + 0.5);

  ScItem high{200, 0, 199, AboveCamera, 1.0};
  EXPECT_DOUBLE_EQ(toPov(s, v, high, 3.0f).y, 4.0);
  high.y = 255;
  EXPECT_DOUBLE_EQ(toPov(s, v, high, 3.0f).y, 11.0);

  // An unknown mode samples afresh and adds no offset.
  s.baseImage.clear();
  s.baseImage.writePixel(10, 20, 0x660000); // blue 102
  ScItem odd{10.7, 999, 20.2, 7, 5.0};
  EXPECT_DOUBLE_EQ(toPov(s, v, odd, 0).y, 102.0 / 255 * 10);
  odd.x = -3;
  EXPECT_DOUBLE_EQ(toPov(s, v, odd, 0).y, -1.0 / 255 * 10);
}

TEST(Rescale, PositionsFollowTheNewSizeAndHeightsAreResampled) {
  Scene s;
  s.objects[2].append(100, 7, 50, AboveGround, 0);
  s.prevMapWidth = 400;
  s.prevMapHeight = 400;
  s.setMapSize(800, 200);
  s.baseImage = LRMemoryDC(800, 200);
  s.baseImage.clear();
  s.baseImage.writePixel(400, 150, 0x090000);
  rescaleToMap(s);
  EXPECT_EQ(s.camera.x, 400);
  EXPECT_EQ(s.camera.z, 150);
  EXPECT_EQ(s.camera.y, 9);
  EXPECT_EQ(s.lookAt.z, 50);
  EXPECT_EQ(s.lookAt.y, -1); // white
  EXPECT_EQ(s.objects[2][0].x, 200);
  EXPECT_EQ(s.objects[2][0].z, 25);
}

} // namespace
} // namespace hs
