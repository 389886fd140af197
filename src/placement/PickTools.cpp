// The one-click picks: the camera, the look-at point and the water level.
// Each ends by itself and goes back to the mode it started from.
#include "placement/Mouse.h"
#include "placement/Tool.h"

#include <algorithm>

namespace hs {

namespace {

// Which is 0 for the camera, 1 for the look-at point.
template <int Which> class CameraPickTool final : public Tool {
public:
  void release(Scene &scene, ProgramValues &values, const MouseSpot &at) const override {
    if (at.height >= 0)
      finishCameraPick(scene, values, Which, at.map.x, at.height, at.map.y);
  }
};

class WaterPickTool final : public Tool {
public:
  void release(Scene &scene, ProgramValues & /*values*/, const MouseSpot &at) const override {
    scene.services().endWaterPick(std::max(at.height, 0));
  }
};

} // namespace

const Tool &cameraPickTool() { return theTool<CameraPickTool<0>>(); }
const Tool &lookAtPickTool() { return theTool<CameraPickTool<1>>(); }
const Tool &waterPickTool() { return theTool<WaterPickTool>(); }

} // namespace hs
