#pragma once

#include "core/Area.h"
#include "core/Icons.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace hs {

// Where the Scatter tool's drag puts its objects.
enum class ScatterShape : std::int32_t { Box = 0, Ellipse = 1 };

// A greyscale picture stretched over the map: how densely a scatter plants,
// 0 (nothing) to 1 (as densely as the spacing lets it), row by row.
struct DensityImage {
  int width = 0;
  int height = 0;
  std::vector<float> values;
};

// Clumps instead of single objects: centres at least spacing apart, each with
// least to most objects within radius of it, inner apart from each other.
// None while spacing is 0.
struct ScatterClumps {
  double spacing = 0.0;
  double radius = 0.0;
  int least = 0;
  int most = 0;
  double inner = 0.0; // 0: the scatter's spacing
  bool on() const { return spacing > 0.0; }
};

// The rules a scatter places by, as the Scatter dialog and hillstrew-scatter
// set them. Heights are POV units at the current scale, the spacing and the
// positions map pixels.
struct ScatterRules {
  // Every pair of scattered objects, and every scattered object and every
  // object already there of the types scattered, stand at least this far apart.
  double spacing = 5.0;
  // How many objects; 0 places as many as fit.
  long long count = 0;
  // Ground height band, on when useAltitude is set.
  double lowest = 0.0;
  double highest = 10.0;
  // Largest slope of the ground in degrees, on when useSlope is set.
  double maxSlope = 30.0;
  // Turn about the vertical axis (degrees) and size factor, each drawn
  // evenly from its range.
  double turnFrom = 0.0;
  double turnTo = 0.0;
  double sizeFrom = 1.0;
  double sizeTo = 1.0;
  // With useMix the type of each object is drawn by these weights (index 0 is
  // "Obj 1"); otherwise every object is of the current type.
  std::array<double, kObjectTypes> weights{};
  std::uint32_t seed = 1;
  ScatterShape shape = ScatterShape::Box;
  bool useAltitude = false;
  bool noWater = false;
  bool useSlope = false;
  bool useMix = false;
  // The name of the first field of the Scatter dialog that does not read as
  // a good value (a string with static storage), or nullptr when all do.
  // While one does not, the rules are not what the dialog shows, and nothing
  // is scattered.
  const char *unreadable = nullptr;
  // Each type's footprint radius in map pixels, negative for none. Once any
  // type has one, every pair of objects of any types (those already there
  // too) stands at least their two radii and the spacing apart.
  std::array<double, kObjectTypes> radii = noRadii();
  // How densely to plant over the map; none when null.
  std::shared_ptr<const DensityImage> density{};
  ScatterClumps clumps{};
  // Areas kept free besides those the document holds.
  std::vector<Area> exclude{};

  static constexpr std::array<double, kObjectTypes> noRadii() {
    std::array<double, kObjectTypes> r{};
    r.fill(-1.0);
    return r;
  }
  bool hasFootprints() const {
    for (const double r : radii)
      if (r >= 0.0)
        return true;
    return false;
  }
};

} // namespace hs
