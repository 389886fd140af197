#pragma once

#include "core/Area.h"
#include "core/Icons.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
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
// None unless use is set; the values stay while it is not, for the dialog.
struct ScatterClumps {
  double spacing = 20.0;
  double radius = 6.0;
  int least = 3;
  int most = 8;
  double inner = 0.0; // 0: the scatter's spacing
  bool use = false;
  bool on() const { return use; }
};

// Which clump values are out of range, a bit each (1 << 0 spacing, 1 radius,
// 2 least, 3 most, 4 inner); 0 when all are good. Spacing and a given inner
// 1..4096, radius 0..4096, least and most whole with 1 <= least <= most <=
// 10000; inner not given is 0.
inline unsigned badClumpValues(double spacing, double radius, double least, double most,
                               double inner, bool innerGiven) {
  const auto whole = [](double v, double lo, double hi) {
    return v == std::floor(v) && v >= lo && v <= hi;
  };
  unsigned bad = 0;
  bad |= !(spacing >= 1 && spacing <= 4096) ? 1u : 0u;
  bad |= !(radius >= 0 && radius <= 4096) ? 2u : 0u;
  bad |= !whole(least, 1, 10000) ? 4u : 0u;
  bad |= !whole(most, least, 10000) ? 8u : 0u;
  bad |= !(innerGiven ? inner >= 1 && inner <= 4096 : inner == 0) ? 16u : 0u;
  return bad;
}

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
  // How densely to plant over the map; none when null. The file it is read
  // from (empty: none) is read when a scatter starts (readDensityRule).
  std::shared_ptr<const DensityImage> density{};
  std::string densityFile{};
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
