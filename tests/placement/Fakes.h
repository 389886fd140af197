#pragma once

#include "core/PaneSurface.h"
#include "core/Scene.h"
#include "placement/Mouse.h"
#include "support/FakeSurface.h"
#include "view/Redraw.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace hs {

inline void PrintTo(const ScItem &i, std::ostream *os) {
  *os << "{" << i.x << ", " << i.y << ", " << i.z << ", " << i.heightMode << ", " << i.height
      << "}";
}

// Records what the model asks of the window; a dialog is a callback that runs
// while it is "open". With values set, endWaterPick does what the window does.
class RecordingServices : public WindowServices {
public:
  std::vector<std::string> calls;
  std::function<void()> cameraDialog, lookDialog, objectDialog;
  ProgramValues *values = nullptr;
  std::string readout = " X,Y,Z : 00000,00000,00000 ";

  void setToolButtons(int n) override { calls.push_back("tools " + std::to_string(n)); }
  void showModeStatus(int n) override { calls.push_back("mode " + std::to_string(n)); }
  void setStatusText(const char *text) override { calls.push_back(std::string("status") + text); }
  void endCameraPick(int which) override {
    calls.push_back("pick " + std::to_string(which));
    const auto &dialog = which == 0 ? cameraDialog : lookDialog;
    if (dialog)
      dialog();
  }
  void endWaterPick(int level) override {
    calls.push_back("water " + std::to_string(level));
    if (values) {
      finishWaterPick(*values, level);
      setToolButtons(values->mode + 1);
    }
  }
  void setReadout(const char *text) override { readout = text; }
  void nudgePointer(int dx, int dy) override {
    calls.push_back("nudge " + std::to_string(dx) + " " + std::to_string(dy));
  }
  void notice(const char *, const char *message) override { notices.emplace_back(message); }
  std::vector<std::string> notices;
  void showObjectHeightDialog() override {
    calls.push_back("object dialog");
    if (objectDialog)
      objectDialog();
  }
};

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
  RecordingServices window;
  test::FakeSurface pane;
  void SetUp() override {
    paintRampMap(s); // height (x + y) & 255
    s.services = &window;
    s.surface = &pane;
    window.values = &v;
    installRedraw(s, v);
    s.camera = {50, 0, 50, AboveWater, 1.0};
    s.lookAt = {300, 0, 300, AboveGround, 0.0};
  }
  void add(int type, double x, double z) {
    s.objects[static_cast<std::size_t>(type)].append(x, 7, z, AboveGround, 0.0);
  }
};

} // namespace hs
