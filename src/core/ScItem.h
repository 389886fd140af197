#pragma once

#include <cstdint>

namespace hs {

enum HeightMode : std::int32_t { AboveGround = 0, AboveWater = 1, AboveCamera = 2 };

// One placed object, or the camera, or the look-at point. x is the map column,
// y the sampled ground height, z the map row.
struct ScItem {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  std::int32_t heightMode = AboveGround;
  double height = 0.0;

  bool operator==(const ScItem &) const = default;
};

} // namespace hs
