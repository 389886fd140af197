#pragma once

#include "core/PaneSurface.h"
#include "core/Scene.h"
#include "support/FakeSurface.h"

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
// while it is "open".
class RecordingServices : public WindowServices {
public:
  std::vector<std::string> calls;
  std::function<void()> cameraDialog, lookDialog, objectDialog;

  void setToolButtons(int n) override { calls.push_back("tools " + std::to_string(n)); }
  void showModeStatus(int n) override { calls.push_back("mode " + std::to_string(n)); }
  void setStatusText(const char *text) override { calls.push_back(std::string("status") + text); }
  void endCameraPick(int which) override {
    calls.push_back("pick " + std::to_string(which));
    const auto &dialog = which == 0 ? cameraDialog : lookDialog;
    if (dialog)
      dialog();
  }
  void endWaterPick(int) override {}
  void setReadout(const char *) override {}
  void nudgePointer(int, int) override {}
  void notice(const char *, const char *) override {}
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

} // namespace hs
