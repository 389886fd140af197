#pragma once

#include "core/PaneSurface.h"
#include "core/Scene.h"
#include "placement/Mouse.h"
#include "support/FakeServices.h"
#include "support/FakeSurface.h"
#include "view/Redraw.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace hs {

inline void PrintTo(const ScItem &i, std::ostream *os) {
  *os << "{" << i.x << ", " << i.y << ", " << i.z << ", " << i.heightMode << ", " << i.height
      << "}";
}

// A 400 x 400 Targa-style map whose height at (x, y) is (x + y) & 255.
inline void paintRampMap(Scene &scene) {
  for (int y = 0; y < scene.baseImage.height(); ++y)
    for (int x = 0; x < scene.baseImage.width(); ++x)
      scene.baseImage.writePixel(x, y, vColor(0, 0, (x + y) & 255).value());
  scene.viewImage.copyFrom(scene.baseImage);
}

// The scene most placement tests start from: the ramp map, a recording window
// and pane, redraws installed, the camera at (50, 50) looking at (300, 300).
struct PlacementFixture : ::testing::Test {
  WindowValues owner;
  Scene s{&owner};
  ProgramValues v;
  FakeServices window;
  test::FakeSurface pane;
  void SetUp() override {
    paintRampMap(s); // height (x + y) & 255
    s.attachServices(&window);
    s.attachSurface(&pane);
    window.waterPick = [this](int level) {
      finishWaterPick(v, level);
      window.setToolButtons(v.modes.mode() + 1);
    };
    installRedraw(s, v);
    s.camera = {50, 0, 50, AboveWater, 1.0};
    s.lookAt = {300, 0, 300, AboveGround, 0.0};
  }
  void add(int type, double x, double z) {
    s.objects[static_cast<std::size_t>(type)].append(x, 7, z, AboveGround, 0.0);
  }
};

} // namespace hs
