// The one-click picks: the camera, the look-at point and the water level.
// Each ends by itself and goes back to the mode it started from.
#include "placement/Mouse.h"
#include "placement/Tool.h"

#include <algorithm>

namespace hs {

namespace {

class CameraPickTool final : public Tool {
public:
  explicit CameraPickTool(int which) : which_(which) {}
  void release(Scene &scene, ProgramValues &values, const MouseSpot &at) const override {
    if (at.height >= 0)
      finishCameraPick(scene, values, which_, at.map.x, at.height, at.map.y);
  }

private:
  int which_; // 0 the camera, 1 the look-at point
};

class WaterPickTool final : public Tool {
public:
  void release(Scene &scene, ProgramValues & /*values*/, const MouseSpot &at) const override {
    scene.services().endWaterPick(std::max(at.height, 0));
  }
};

} // namespace

const Tool &cameraPickTool() {
  static const CameraPickTool tool(0);
  return tool;
}
const Tool &lookAtPickTool() {
  static const CameraPickTool tool(1);
  return tool;
}
const Tool &waterPickTool() {
  static const WaterPickTool tool;
  return tool;
}

} // namespace hs
