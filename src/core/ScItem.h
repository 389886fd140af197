#pragma once

#include <cstdint>
#include <limits>

namespace hs {

enum HeightMode : std::int32_t { AboveGround = 0, AboveWater = 1, AboveCamera = 2 };

// One placed object, or the camera, or the look-at point. x is the map column,
// y the sampled ground height, z the map row. An object also has a turn about
// the vertical axis, in degrees, and a size factor (always above 0); the
// camera and the look-at point keep the defaults. Both come after the five
// older fields, so ScItem{x, y, z, mode, height} still means what it did.
struct ScItem {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  std::int32_t heightMode = AboveGround;
  double height = 0.0;
  float turn = 0.0f;
  float size = 1.0f;

  // Files and exports leave out the turn and size of objects that have these.
  bool hasDefaultTurnAndSize() const { return turn == 0.0f && size == 1.0f; }

  bool operator==(const ScItem &) const = default;
};

// The smallest size an object can have: the smallest the six decimals of the
// place data file keep above 0, so every size saved reads back as a size.
inline constexpr float kMinSize = 0.000001f;

// Whether s can be an object's size: finite and at least kMinSize.
inline bool isValidSize(float s) { return s >= kMinSize && s <= std::numeric_limits<float>::max(); }

} // namespace hs
