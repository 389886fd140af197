#pragma once

#include "core/Document.h"
#include "core/PaneSurface.h"
#include "core/ProgramValues.h"
#include "core/ScatterRules.h"
#include "core/Scene.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hs {

// The scatter's own generator (SplitMix64): the same seed gives the same
// numbers on every build, and the fill tools' generator is left alone.
class ScatterRandom {
public:
  explicit ScatterRandom(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 <= value < 1, with 53 bits.
  double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
  // 0 <= value < n, for n below 2^32.
  std::uint32_t below(std::uint32_t n) {
    return static_cast<std::uint32_t>(((next() >> 32) * n) >> 32);
  }

private:
  std::uint64_t state_;
};

// The part of the map a scatter fills: a box between two corners (both
// included, in either order), an ellipse by its centre and radii, or the
// whole map. Map pixels.
struct ScatterRegion {
  enum Kind : std::int32_t { Box, Ellipse, WholeMap };
  Kind kind = WholeMap;
  double a = 0.0; // Box: x0, z0, x1, z1; Ellipse: cx, cz, rx, rz
  double b = 0.0;
  double c = 0.0;
  double d = 0.0;

  static ScatterRegion box(double x0, double z0, double x1, double z1) {
    return {Box, x0, z0, x1, z1};
  }
  static ScatterRegion ellipse(double cx, double cz, double rx, double rz) {
    return {Ellipse, cx, cz, rx, rz};
  }
  static ScatterRegion wholeMap() { return {}; }
  bool contains(int x, int z) const;
};

// The ground rules of a scatter at one map pixel: in the region, on the map,
// inside the altitude band, above the water and no steeper than the slope
// limit. Slopes are those of the triangles POV-Ray builds between neighbouring
// heights (each cell split along its diagonal from the upper left to the
// lower right corner, as the map is shown); a pixel takes the steepest
// triangle that has it as a corner.
class GroundRules {
public:
  GroundRules(const Document &document, const ScatterRules &rules, const ScatterRegion &region);
  bool allows(int x, int z) const;
  // The height and water rules alone, for a ground value.
  bool heightAllowed(int h) const;
  // The slope of the ground at a pixel in degrees (the steepest of its
  // triangles; 0 where it has none).
  double slopeAt(int x, int z) const;

private:
  double steepness2(int x, int z) const; // squared tangent of slopeAt
  int height(int x, int z) const;

  const Document &document_;
  ScatterRules rules_;
  ScatterRegion region_;
  int maxH_;
  int lowest_; // ground values of the band, inclusive
  int highest_;
  double water_;
  double kx_; // squared height step per unit across a column, at the scale
  double kz_;
  double limit2_; // squared tangent of the slope limit
};

// What a scatter decided, before anything is added: the objects and their
// types, or why there are none.
struct ScatterPlan {
  std::vector<ScItem> items;
  std::vector<std::uint8_t> types; // list index of each item
  bool cancelled = false;
  bool limited = false; // the scene's object limit cut it short
  std::string whyNone;  // set when nothing could be placed
};

// Works out a scatter: a maximal Poisson-disk set of whole map pixels in the
// region that meet the rules (no pixel that meets them is left farther than
// the spacing from an object), or, with a count, an even random choice of
// count of them. Objects already in the lists of the types scattered keep
// their distance too. The document is only read, so this may run on a worker
// thread while nothing changes the scene. progress gets 0..1 now and then;
// when it returns false the plan comes back cancelled and empty. At most room
// objects are planned (the scene's remaining object budget); a plan cut
// short by it says so.
ScatterPlan planScatter(const Document &document, const ProgramValues &values,
                        const ScatterRules &rules, const ScatterRegion &region, long long room,
                        const ProgressReport &progress = {});

// What applying a plan did.
struct ScatterResult {
  long long placed = 0;
  bool stopped = false; // a list could not grow, or the plan hit the limit
};

// Appends the plan's objects to the lists of their types.
ScatterResult applyScatter(Document &document, const ScatterPlan &plan);

// The notice for a scatter stopped by the object limit.
std::string scatterLimitMessage(long long placed);
// What a finished scatter says: the command line prints it, the window's
// status bar shows it.
std::string scatterDoneMessage(long long placed);

// Plans and applies a scatter on the scene through the window's progress
// service, reports a scatter that placed nothing or was cut short, and
// announces the new objects. Returns the number placed. Rules with a field
// the dialog cannot read, or a density image that cannot be read, place
// nothing, with a notice naming the field or the file.
long long scatterOnScene(Scene &scene, const ProgramValues &values, const ScatterRules &rules,
                         const ScatterRegion &region);

} // namespace hs
