// Planning a scatter: the pixels that meet the ground rules, their spacing and the random choice.
#include "placement/Scatter.h"
#include "placement/ScatterField.h"
#include "placement/ScatterGround.h"
#include "terrain/Height.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numeric>

namespace hs {

using namespace scatter_ground;
using namespace scatter_field;

void Field::takeAround(double x, double z, double radius) {
  const double r2 = radius * radius;
  if (!std::isfinite(x) || !std::isfinite(z))
    return;
  const double reach = radius;
  auto near = [](double v, int lo, int hi) {
    return std::clamp(v, static_cast<double>(lo) - 2.0, static_cast<double>(hi) + 2.0);
  };
  const int zFrom = std::max(b_.z0, static_cast<int>(std::ceil(near(z - reach, b_.z0, b_.z1))));
  const int zTo = std::min(b_.z1, static_cast<int>(std::floor(near(z + reach, b_.z0, b_.z1))));
  for (int zz = zFrom; zz <= zTo; ++zz) {
    const double dz = zz - z;
    const double w2 = r2 - dz * dz;
    if (w2 <= 0)
      continue;
    const double s = std::sqrt(w2);
    auto closer = [&](int xx) { return (xx - x) * (xx - x) + dz * dz < r2; };
    int from = static_cast<int>(std::floor(near(x - s, b_.x0, b_.x1)));
    int to = static_cast<int>(std::ceil(near(x + s, b_.x0, b_.x1)));
    while (from <= to && !closer(from))
      ++from;
    while (to >= from && !closer(to))
      --to;
    from = std::max(from, b_.x0);
    to = std::min(to, b_.x1);
    if (from <= to)
      std::memset(row(zz) + (from - b_.x0), Taken, static_cast<std::size_t>(to - from) + 1);
  }
}

namespace {

// Spacings outside this range are taken as its ends: below one pixel every
// pixel may hold an object anyway, and far above it a stamp would cost more
// than it could matter.
constexpr double kMinSpacing = 1.0;
constexpr double kMaxSpacing = 4096.0;

double spacingOf(const ScatterRules &rules) {
  return std::clamp(std::isfinite(rules.spacing) ? rules.spacing : kMinSpacing, kMinSpacing,
                    kMaxSpacing);
}

// Whether the vertex shared by four cells touches a steep triangle: it is the
// lower right corner of the upper left cell (both triangles), the lower left
// corner of the upper right cell (its lower left triangle), the upper right
// corner of the lower left cell (its upper right triangle) and the upper left
// corner of the lower right cell (both).
bool vertexSteep(std::uint8_t upperLeft, std::uint8_t upperRight, std::uint8_t lowerLeft,
                 std::uint8_t lowerRight) {
  return upperLeft || (upperRight & 2) || (lowerLeft & 1) || lowerRight;
}

Bounds boundsOf(const Document &document, const ScatterRegion &region) {
  Bounds b{0, 0, usableWidth(document) - 1, usableHeight(document) - 1};
  double lo[2] = {0, 0};
  double hi[2] = {0, 0};
  if (region.kind == ScatterRegion::Box) {
    lo[0] = std::min(region.a, region.c);
    hi[0] = std::max(region.a, region.c);
    lo[1] = std::min(region.b, region.d);
    hi[1] = std::max(region.b, region.d);
  } else if (region.kind == ScatterRegion::Ellipse) {
    lo[0] = region.a - std::abs(region.c);
    hi[0] = region.a + std::abs(region.c);
    lo[1] = region.b - std::abs(region.d);
    hi[1] = region.b + std::abs(region.d);
  } else {
    return b;
  }
  for (int i = 0; i < 2; ++i)
    if (!std::isfinite(lo[i]) || !std::isfinite(hi[i]))
      return {};
  auto clampTo = [](double v, int limit) {
    return static_cast<int>(std::clamp(v, -1.0, static_cast<double>(limit) + 1.0));
  };
  b.x0 = std::max(b.x0, clampTo(std::ceil(lo[0]), b.x1));
  b.x1 = std::min(b.x1, clampTo(std::floor(hi[0]), b.x1));
  b.z0 = std::max(b.z0, clampTo(std::ceil(lo[1]), b.z1));
  b.z1 = std::min(b.z1, clampTo(std::floor(hi[1]), b.z1));
  return b;
}

// Marks the pixels of the bounds that meet the ground rules as free; returns
// how many, or -1 when cancelled. The slope of each cell is worked out once,
// from two rows of heights kept as the pass goes down.
long long markGround(const Document &document, const ScatterRules &rules,
                     const ScatterRegion &region, Field &field, const Bounds &b,
                     const ProgressReport &progress) {
  const GroundRules ground(document, rules, region);
  const CellSlope slope = cellSlopeOf(document, rules);
  const int n = b.width() + 2; // one column more on each side
  auto heightsOf = [&](int z, std::vector<int> &out) {
    for (int i = 0; i < n; ++i)
      out[static_cast<std::size_t>(i)] = heightAt(document, b.x0 - 1 + i, z);
  };
  // Cell flags between rows z and z + 1, by the cell's left column + 1.
  auto cellsOf = [&](const std::vector<int> &upper, const std::vector<int> &lower,
                     std::vector<std::uint8_t> &out) {
    for (int i = 0; i + 1 < n; ++i) {
      const auto u = static_cast<std::size_t>(i);
      out[u] = slope.flags(upper[u], upper[u + 1], lower[u], lower[u + 1]);
    }
    out[static_cast<std::size_t>(n - 1)] = 0;
  };
  std::vector<int> above(static_cast<std::size_t>(n)), here(above), below(above);
  std::vector<std::uint8_t> cellsAbove(static_cast<std::size_t>(n)), cellsBelow(cellsAbove);
  heightsOf(b.z0 - 1, above);
  heightsOf(b.z0, here);
  cellsOf(above, here, cellsAbove);
  long long free = 0;
  for (int z = b.z0; z <= b.z1; ++z) {
    if (((z - b.z0) & 63) == 0 && progress &&
        !progress(0.25 * (z - b.z0) / std::max(1, b.height())))
      return -1;
    heightsOf(z + 1, below);
    cellsOf(here, below, cellsBelow);
    std::uint8_t *out = field.row(z);
    for (int x = b.x0; x <= b.x1; ++x) {
      const auto i = static_cast<std::size_t>(x - b.x0) + 1; // this pixel in the rows
      const int h = here[i];
      if (!region.contains(x, z) || h < 0 || !ground.heightAllowed(h))
        continue;
      if (rules.useSlope &&
          vertexSteep(cellsAbove[i - 1], cellsAbove[i], cellsBelow[i - 1], cellsBelow[i]))
        continue;
      out[x - b.x0] = Free;
      ++free;
    }
    std::swap(above, here);
    std::swap(here, below);
    std::swap(cellsAbove, cellsBelow);
  }
  return free;
}

std::string number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

std::string noGroundMessage(const ScatterRules &rules) {
  std::string s = "Nothing was scattered: no ground";
  if (rules.useAltitude)
    s += " between " + number(rules.lowest) + " and " + number(rules.highest);
  if (rules.noWater)
    s += " above the water";
  if (rules.useSlope)
    s += std::string(rules.useAltitude || rules.noWater ? "," : "") + " with slope under " +
         number(rules.maxSlope) + " degrees";
  return s + " in this region.";
}

// The list indices a scatter of these rules places, and keeps its distance
// from.
std::vector<int> scatteredTypes(const ScatterRules &rules, const ProgramValues &values) {
  std::vector<int> types;
  if (rules.useMix) {
    for (int t = 0; t < kObjectTypes; ++t)
      if (rules.weights[static_cast<std::size_t>(t)] > 0)
        types.push_back(t);
  } else {
    types.push_back(std::clamp(values.currentType, 0, kObjectTypes - 1));
  }
  return types;
}

// Random sequential placement in visitPixels' order: every free pixel is
// tried once, so the set is maximal. Returns how many were found, or -1 when
// cancelled.
long long sweep(Field &field, const Bounds &b, ScatterRandom &random, Keeper &keeper,
                const ProgressReport &progress) {
  const bool done = visitPixels(b, random, progress, 0.25, [&](int x, int z) {
    if (field.at(x, z) != Free)
      return;
    field.takeAround(x, z);
    keeper.add({x, z});
  });
  return done ? keeper.found : -1;
}

// Refuses the free pixels inside any of the areas; returns how many.
long long refuseAreas(Field &field, const Bounds &b, const std::vector<Area> &areas) {
  long long refused = 0;
  std::vector<int> spans;
  for (const Area &area : areas)
    for (int z = b.z0; z <= b.z1; ++z) {
      spans.clear();
      area.rowSpans(z, spans);
      std::uint8_t *row = field.row(z);
      for (std::size_t i = 0; i + 1 < spans.size(); i += 2)
        for (int x = std::max(spans[i], b.x0); x <= std::min(spans[i + 1], b.x1); ++x)
          if (row[x - b.x0] == Free) {
            row[x - b.x0] = Refused;
            ++refused;
          }
    }
  return refused;
}

// The objects at the kept spots, in map order: each with its type, turn and
// size drawn in turn.
void makeObjects(const Document &document, const ProgramValues &values, const ScatterRules &rules,
                 const std::vector<int> &types, std::vector<Spot> &kept, ScatterRandom &random,
                 ScatterPlan &plan) {
  std::sort(kept.begin(), kept.end(),
            [](const Spot &p, const Spot &q) { return p.z != q.z ? p.z < q.z : p.x < q.x; });
  const TypeDraw draw(rules, types);
  plan.items.reserve(kept.size());
  plan.types.reserve(kept.size());
  for (const Spot &p : kept) {
    const int type = p.type >= 0 ? p.type : draw.pick(random);
    ScItem item{static_cast<double>(p.x), static_cast<double>(heightAt(document, p.x, p.z)),
                static_cast<double>(p.z), values.placeHeightMode,
                static_cast<double>(values.placeHeight)};
    item.turn =
        static_cast<float>(rules.turnFrom + random.unit() * (rules.turnTo - rules.turnFrom));
    item.size =
        std::max(kMinSize, static_cast<float>(rules.sizeFrom +
                                              random.unit() * (rules.sizeTo - rules.sizeFrom)));
    plan.items.push_back(item);
    plan.types.push_back(static_cast<std::uint8_t>(type));
  }
}

} // namespace

ScatterPlan planScatter(const Document &document, const ProgramValues &values,
                        const ScatterRules &rules, const ScatterRegion &region, long long room,
                        const ProgressReport &progress) {
  ScatterPlan plan;
  const std::vector<int> types = scatteredTypes(rules, values);
  const Bounds b = boundsOf(document, region);
  if (types.empty()) {
    plan.whyNone = "Nothing was scattered: every type in the mix has weight 0.";
    return plan;
  }
  if (b.empty()) {
    plan.whyNone = "Nothing was scattered: the region lies outside the map.";
    return plan;
  }
  const double spacing = spacingOf(rules);
  Field field(b, spacing);
  long long ground = markGround(document, rules, region, field, b, progress);
  if (ground > 0)
    ground -= refuseAreas(field, b, document.areas()) + refuseAreas(field, b, rules.exclude);
  if (ground == 0)
    plan.whyNone = noGroundMessage(rules);
  if (ground <= 0) {
    plan.cancelled = ground < 0;
    return plan;
  }
  const bool rich = rules.hasFootprints() || rules.density || rules.clumps.on();
  if (!rich)
    for (int t : types)
      for (const ScItem &item : document.objects()[static_cast<std::size_t>(t)])
        field.takeAround(item.x, item.z);

  ScatterRandom random(rules.seed);
  room = std::max(0LL, room);
  const long long wanted = rules.count > 0 ? std::min(rules.count, room) : room;
  std::vector<Spot> kept;
  Keeper keeper{static_cast<std::size_t>(wanted), kept, random};
  const long long found =
      rich ? sweepRich(document, rules, types, spacing, field, b, random, keeper, progress)
           : sweep(field, b, random, keeper, progress);
  if (found < 0) {
    plan.cancelled = true;
    return plan;
  }
  if (found == 0 && rules.density) {
    plan.whyNone = "Nothing was scattered: the density image thins out every spot in this region.";
    return plan;
  }
  if (found == 0) {
    plan.whyNone = "Nothing was scattered: every spot that meets the rules is closer than " +
                   number(spacing) + " pixels to an object already there.";
    return plan;
  }
  plan.limited = found > wanted && (rules.count <= 0 || rules.count > room);
  makeObjects(document, values, rules, types, kept, random, plan);
  return plan;
}

} // namespace hs
