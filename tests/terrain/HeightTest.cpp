#include "terrain/Height.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace hs {
namespace {

std::string fmt(const PovPoint &p) {
  return std::to_string(p.x) + ", " + std::to_string(p.y) + ", " + std::to_string(p.z);
}

TEST(Height, SamplersRefuseOffMapAndWhite) {
  LRMemoryDC m(400, 400);
  m.clear();
  m.writePixel(0, 0, 0x2A0000); // blue 42
  m.writePixel(1, 0, 0x000102); // red 2, green 1
  m.writePixel(2, 0, 0xFFFFFE); // one step off white: blue 255
  m.writePixel(3, 0, 0xFEFFFF);
  m.writePixel(4, 1, 0);
  m.setDrawMode(DrawMode::Invert);
  m.drawLine(4, 1, 4, 1);
  m.setDrawMode(DrawMode::Normal);
  m.setPen(vPen{kWhite, 3, LineStyle::Solid});
  m.drawLine(10, 10, 20, 10);
  Document s;
  s.setMap(std::move(m));
  const int cases[][4] = {// x, y, height8At, height16At
                          {-1, 0, -1, -1},    {400, 0, -1, -1},   {0, 400, -1, -1},
                          {0, -1, -1, -1},    {0, 0, 42, 0},      {1, 0, 0, 258},
                          {2, 0, 255, 65534}, {3, 0, 254, 65535}, {5, 5, -1, 65535},
                          {4, 1, -1, 65535},  {15, 10, -1, 65535}};
  for (const auto &[x, y, h8, h16] : cases)
    EXPECT_EQ(std::pair(height8At(s, x, y), height16At(s, x, y)), std::pair(h8, h16))
        << x << "," << y;
  EXPECT_EQ(std::pair(heightAt(s, 1, 0), maxHeight(s)), std::pair(0, 255));
  s.setHfType(1);
  EXPECT_EQ(std::tuple(heightAt(s, 1, 0), maxHeight(s), heightAtItem(s, 1.9, 0.7),
                       heightAtItem(s, -0.5, 0.0), heightAtItem(s, 1e300, 0.0)),
            std::tuple(258, 65535, 258, 0, -1));
}

// An unknown mode samples afresh and adds no offset.
TEST(ToPov, DefaultPositionsOn400MapAndEveryHeightMode) {
  Document s;
  const PovPoint cam = toPov(s, s.camera(), 0.0f);
  const ScItem corner{0, 255, 0, AboveGround, 0}, farCorner{399, 255, 0, AboveGround, 0};
  EXPECT_EQ(std::tuple(fmt(cam), fmt(toPov(s, s.lookAt(), static_cast<float>(cam.y))),
                       fmt(toPov(s, corner, 0)), fmt(toPov(s, farCorner, 0)).substr(0, 9)),
            std::tuple("0.250627, 1.000000, -25.313283", "0.250627, 0.000000, 24.812030",
                       "-49.874687, 10.000000, 49.874687", "50.125313"));

  s.setWaterLevel(50);
  LRMemoryDC m(400, 400);
  m.clear();
  m.writePixel(10, 20, 0x660000); // blue 102
  s.setMap(std::move(m));
  const std::tuple<ScItem, float, double> cases[] = {
      {{200, 20, 199, AboveWater, 0.5}, 0, 50.0 / 255 * 10 + 0.5},
      {{200, 60, 199, AboveWater, 0.5}, 0, 60.0 / 255 * 10 + 0.5},
      {{200, 0, 199, AboveCamera, 1.0}, 3, 4.0},
      {{200, 255, 199, AboveCamera, 1.0}, 3, 11.0},
      {{10.7, 999, 20.2, 7, 5.0}, 0, 102.0 / 255 * 10},
      {{-3, 999, 20.2, 7, 5.0}, 0, -1.0 / 255 * 10}};
  for (const auto &[item, cameraY, y] : cases)
    EXPECT_DOUBLE_EQ(toPov(s, item, cameraY).y, y) << item.x << "," << item.y;
}

} // namespace
} // namespace hs
