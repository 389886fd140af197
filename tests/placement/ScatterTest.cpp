#include "placement/Scatter.h"
#include "placement/Tool.h"
#include "support/Documents.h"
#include "terrain/Height.h"

#include "Fakes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <set>

namespace hs {
namespace {

// A 16-bit map of the given size whose ground value at (x, z) is f(x, z).
void paintMap(Scene &s, int w, int h, const std::function<int(int, int)> &f) {
  Document &d = s.document();
  d.setMap(LRMemoryDC(w, h));
  d.setHfType(1);
  test::paintMap(d, [&f](int x, int z) {
    const int v = f(x, z);
    return vColor(v & 255, (v >> 8) & 255, 0).value();
  });
}

// Hills and valleys with cliffs: smooth waves plus a step every 37 columns.
int hilly(int x, int z) {
  const double v = 30000 + 12000 * std::sin(x * 0.05) * std::cos(z * 0.04) + (x / 37) % 3 * 4000;
  return static_cast<int>(v);
}

// The objects of a list binned by map cells of the spacing's size, for
// neighbour checks that need not look at all pairs.
struct Grid {
  double cell;
  std::map<std::pair<int, int>, std::vector<ScItem>> bins;
  Grid(const ScData &objects, double spacing) : cell(spacing) {
    for (const ScItem &i : objects)
      bins[key(i.x, i.z)].push_back(i);
  }
  std::pair<int, int> key(double x, double z) const {
    return {static_cast<int>(std::floor(x / cell)), static_cast<int>(std::floor(z / cell))};
  }
  // The distance from (x, z) to the nearest object within reach cells (a
  // huge value when there is none), leaving out one at exactly (x, z) when
  // asked to.
  double nearest(double x, double z, int reach, bool skipSelf) const {
    double best = 1e300;
    const auto [cx, cz] = key(x, z);
    for (int dz = -reach; dz <= reach; ++dz)
      for (int dx = -reach; dx <= reach; ++dx) {
        const auto it = bins.find({cx + dx, cz + dz});
        if (it == bins.end())
          continue;
        for (const ScItem &o : it->second) {
          if (skipSelf && o.x == x && o.z == z)
            continue;
          best = std::min(best, std::hypot(o.x - x, o.z - z));
        }
      }
    return best;
  }
};

struct Case {
  const char *name;
  ScatterRegion region;
  double spacing;
  bool altitude, water, slope;
};

// Spacing holds for every pair, every object meets the rules, and the set is
// maximal: every pixel that meets the rules lies closer than the spacing to an
// object (twice the spacing is all a user is promised).
TEST(Scatter, SpacingRulesAndMaximality) {
  const Case cases[] = {
      {"whole map, spacing 1", ScatterRegion::wholeMap(), 1.0, false, false, false},
      {"whole map, every rule", ScatterRegion::wholeMap(), 4.0, true, true, true},
      {"box, spacing 2.5, slope", ScatterRegion::box(150, 20, 40, 170), 2.5, false, false, true},
      {"ellipse, spacing 7, altitude", ScatterRegion::ellipse(100, 90, 80, 45), 7.0, true, false,
       false},
      {"box partly off the map", ScatterRegion::box(-30, 150, 60, 400), 3.0, false, true, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Scene s;
    ProgramValues v;
    paintMap(s, 211, 180, hilly);
    s.document().setWaterLevel(26000);
    ScatterRules r;
    r.spacing = c.spacing;
    std::tie(r.useAltitude, r.lowest, r.highest) = std::tuple(c.altitude, 4.0, 5.6);
    std::tie(r.noWater, r.useSlope, r.maxSlope) = std::tuple(c.water, c.slope, 1.5);
    // Some objects already there, of the type scattered and of another one.
    for (int i = 0; i < 20; ++i) {
      s.document().append(0, 10.5 * i, 7, 9.0 * i, AboveGround, 0);
      s.document().append(3, 10.0 * i + 3, 7, 9.0 * i, AboveGround, 0);
    }
    const ScatterPlan plan = planScatter(s.document(), v, r, c.region, 1'000'000);
    ASSERT_TRUE(plan.whyNone.empty()) << plan.whyNone;
    ASSERT_GT(plan.items.size(), 10u);
    applyScatter(s.document(), plan);

    const GroundRules ground(s.document(), r, c.region);
    const Grid grid(s.document().objects()[0], c.spacing); // the type scattered
    for (int k = 20; k < s.document().objects()[0].count(); ++k) {
      const ScItem &i = s.document().objects()[0][k];
      ASSERT_EQ(i.x, std::floor(i.x));
      ASSERT_TRUE(ground.allows(int(i.x), int(i.z))) << i.x << "," << i.z;
      ASSERT_GE(grid.nearest(i.x, i.z, 1, true), c.spacing) << i.x << "," << i.z;
      ASSERT_EQ(i.y, heightAt(s.document(), int(i.x), int(i.z)));
    }
    int allowed = 0;
    for (int z = 0; z < s.document().mapHeight(); ++z)
      for (int x = 0; x < s.document().mapWidth(); ++x)
        if (ground.allows(x, z)) {
          ++allowed;
          ASSERT_LT(grid.nearest(x, z, 1, false), c.spacing) << x << "," << z;
        }
    EXPECT_GT(allowed, 100);
  }
}

// Ground in separate patches (islands) is all filled, and a count is spread
// over the whole region, not grown from one corner.
TEST(Scatter, IslandsAreAllFilledAndACountIsSpreadOut) {
  Scene s;
  ProgramValues v;
  // Four round islands in the corners of a 200 x 200 sea.
  paintMap(s, 200, 200, [](int x, int z) {
    const int cx = x < 100 ? 40 : 160;
    const int cz = z < 100 ? 40 : 160;
    return std::hypot(x - cx, z - cz) < 20 ? 500 : 100;
  });
  s.document().setWaterLevel(300);
  ScatterRules r;
  std::tie(r.spacing, r.noWater) = std::tuple(3.0, true);
  const auto perIsland = [&](const ScatterPlan &plan) {
    std::array<int, 4> n{};
    for (const ScItem &i : plan.items)
      ++n[(i.x < 100 ? 0 : 1) + (i.z < 100 ? 0 : 2)];
    return *std::min_element(n.begin(), n.end());
  };
  const ScatterPlan every = planScatter(s.document(), v, r, ScatterRegion::wholeMap(), 1'000'000);
  EXPECT_GT(perIsland(every), 80);
  r.count = 40;
  const ScatterPlan plan = planScatter(s.document(), v, r, ScatterRegion::wholeMap(), 1'000'000);
  ASSERT_EQ(plan.items.size(), 40u);
  EXPECT_GE(perIsland(plan), 3);
  // A count above what fits places what fits.
  r.count = 1'000'000;
  EXPECT_EQ(planScatter(s.document(), v, r, ScatterRegion::wholeMap(), 1'000'000).items,
            every.items);
}

// On a plane tilted along the columns or the rows the slope is the plane's own,
// as POV-Ray builds it: rise over run at the current scale.
TEST(Scatter, SlopeOfATiltedPlane) {
  for (const bool alongRows : {false, true}) {
    Scene s;
    ProgramValues v;
    paintMap(s, 101, 51, [&](int x, int z) { return 1000 + 300 * (alongRows ? z : x); });
    s.document().setScale(200.0f, 50.0f, 80.0f);
    // Rise per pixel 300 / 65535 x 50; run scaleX / 100 or scaleZ / 50.
    const double run = alongRows ? 80.0 / 50 : 200.0 / 100;
    const double degrees = std::atan(300.0 / 65535 * 50 / run) * 180 / std::numbers::pi;
    ScatterRules r;
    r.useSlope = true;
    const GroundRules ground(s.document(), r, ScatterRegion::wholeMap());
    for (const auto &[x, z] : {std::pair(0, 0), std::pair(50, 25), std::pair(100, 50),
                               std::pair(0, 50), std::pair(100, 0), std::pair(37, 0)})
      EXPECT_NEAR(ground.slopeAt(x, z), degrees, 1e-9) << x << "," << z;

    r.maxSlope = degrees + 0.001;
    EXPECT_EQ(planScatter(s.document(), v, r, ScatterRegion::wholeMap(), 1'000'000).items.size(),
              planScatter(s.document(), v, ScatterRules{}, ScatterRegion::wholeMap(), 1'000'000)
                  .items.size());
    r.maxSlope = degrees - 0.001;
    EXPECT_TRUE(
        planScatter(s.document(), v, r, ScatterRegion::wholeMap(), 1'000'000).items.empty());
  }
}

// One bump on flat ground: the pixels whose triangles touch the bump are
// steep, by POV-Ray's split of each cell along its upper-left to lower-right
// diagonal (trace() on this map finds ground above 0 at column 3.2, row 3.2
// and none at 4.8, 3.2), and the fast pass agrees with the rule.
TEST(Scatter, SlopeAroundABumpFollowsTheCellDiagonals) {
  Scene s;
  ProgramValues v;
  paintMap(s, 9, 9, [](int x, int z) { return x == 4 && z == 4 ? 60000 : 0; });
  ScatterRules r;
  std::tie(r.useSlope, r.maxSlope, r.spacing) = std::tuple(true, 10.0, 1.0);
  const GroundRules ground(s.document(), r, ScatterRegion::wholeMap());
  std::string steep;
  for (int z = 2; z <= 6; ++z) {
    for (int x = 2; x <= 6; ++x)
      steep += ground.allows(x, z) ? '.' : '#';
    steep += '/';
  }
  // The bump's neighbours along the diagonals through it (upper left, lower
  // right) share a triangle with it; the other two diagonal neighbours do not.
  EXPECT_EQ(steep, "...../.##../.###./..##./...../");
  const ScatterPlan plan = planScatter(s.document(), v, r, ScatterRegion::wholeMap(), 1000);
  EXPECT_EQ(plan.items.size(), 81u - 7u);
}

// At spacing 1 every pixel that meets the rules gets an object, so the plan
// shows the fast pass pixel for pixel: it agrees with the rules everywhere,
// on a 16-bit map and on a Targa map with holes (pure white, no ground).
TEST(Scatter, AtSpacingOneEveryPixelThatMeetsTheRulesIsTaken) {
  for (const bool targa : {false, true}) {
    Scene s;
    ProgramValues v;
    paintMap(s, 90, 70, hilly);
    if (targa) {
      s.document().setHfType(0);
      test::paintMap(s.document(), [](int x, int z) {
        const bool hole = (x / 9 + z / 7) % 5 == 0;
        return hole ? 0xFFFFFFu : vColor(0, 0, hilly(x, z) >> 8).value();
      });
    }
    s.document().setWaterLevel(targa ? 100.0f : 26000.0f);
    ScatterRules r;
    std::tie(r.spacing, r.useSlope, r.maxSlope, r.noWater) = std::tuple(1.0, true, 2.0, true);
    std::tie(r.useAltitude, r.lowest, r.highest) = std::tuple(true, 4.2, 9.0);
    const ScatterRegion region = ScatterRegion::ellipse(45, 35, 40, 30);
    const ScatterPlan plan = planScatter(s.document(), v, r, region, 1'000'000);
    std::set<std::pair<int, int>> taken;
    for (const ScItem &i : plan.items)
      taken.insert({int(i.x), int(i.z)});
    const GroundRules ground(s.document(), r, region);
    std::set<std::pair<int, int>> allowed;
    for (int z = -1; z <= 70; ++z)
      for (int x = -1; x <= 90; ++x)
        if (ground.allows(x, z))
          allowed.insert({x, z});
    EXPECT_GT(allowed.size(), 300u) << targa;
    EXPECT_LT(allowed.size(), 3000u) << targa;
    EXPECT_EQ(taken, allowed) << targa;
  }
}

// The same seed, map, region and rules give the same objects; another seed
// gives others. The first objects of a seed are pinned, so every build agrees.
TEST(Scatter, SameSeedSameObjects) {
  Scene s;
  ProgramValues v;
  paintMap(s, 120, 90, hilly);
  ScatterRules r;
  std::tie(r.spacing, r.seed, r.turnFrom, r.turnTo, r.sizeFrom, r.sizeTo) =
      std::tuple(6.0, 2026u, -180.0, 180.0, 0.5, 2.0);
  r.useMix = true;
  r.weights[2] = 1;
  r.weights[9] = 3;
  const ScatterPlan a = planScatter(s.document(), v, r, ScatterRegion::wholeMap(), 1000);
  const ScatterPlan b = planScatter(s.document(), v, r, ScatterRegion::wholeMap(), 1000);
  ASSERT_EQ(a.items, b.items);
  ASSERT_EQ(a.types, b.types);
  char first[200];
  std::snprintf(first, sizeof first, "%d %g,%g %.4f %.4f | %d %g,%g %.4f %.4f | %zu", a.types[0],
                a.items[0].x, a.items[0].z, double(a.items[0].turn), double(a.items[0].size),
                a.types[1], a.items[1].x, a.items[1].z, double(a.items[1].turn),
                double(a.items[1].size), a.items.size());
  EXPECT_STREQ(first, "2 8,0 -22.6193 0.8301 | 2 15,0 159.7358 0.5341 | 213");
  r.seed = 2027;
  EXPECT_NE(planScatter(s.document(), v, r, ScatterRegion::wholeMap(), 1000).items, a.items);
}

// A mix places only types with weight, in about their proportions; turns and
// sizes spread over their ranges.
TEST(Scatter, MixTurnAndSize) {
  Scene s;
  ProgramValues v;
  paintMap(s, 300, 300, [](int, int) { return 100; });
  ScatterRules r;
  std::tie(r.spacing, r.turnFrom, r.turnTo, r.sizeFrom, r.sizeTo) =
      std::tuple(3.0, 10.0, 40.0, 0.8, 1.2);
  r.useMix = true;
  r.weights[0] = 1;
  r.weights[5] = 3;
  const ScatterPlan plan = planScatter(s.document(), v, r, ScatterRegion::wholeMap(), 1'000'000);
  int perType[kObjectTypes] = {};
  for (const int type : plan.types)
    ++perType[type];
  const auto [turnLo, turnHi] = std::minmax_element(
      plan.items.begin(), plan.items.end(), [](auto &a, auto &b) { return a.turn < b.turn; });
  const auto [sizeLo, sizeHi] = std::minmax_element(
      plan.items.begin(), plan.items.end(), [](auto &a, auto &b) { return a.size < b.size; });
  EXPECT_EQ(perType[0] + perType[5], int(plan.items.size()));
  EXPECT_NEAR(double(perType[5]) / perType[0], 3.0, 0.4);
  EXPECT_TRUE(turnLo->turn >= 10.0f && turnHi->turn <= 40.0f && turnHi->turn - turnLo->turn > 29);
  EXPECT_TRUE(sizeLo->size >= 0.8f - 1e-6f && sizeHi->size <= 1.2f + 1e-6f &&
              sizeHi->size - sizeLo->size > 0.39f);
  // Without a mix everything is of the current type, which also keeps its
  // distance from its own objects only.
  r.useMix = false;
  v.currentType = 7;
  const ScatterPlan one = planScatter(s.document(), v, r, ScatterRegion::box(0, 0, 20, 20), 1000);
  EXPECT_EQ(std::count(one.types.begin(), one.types.end(), 7), long(one.types.size()));
}

// Why a scatter placed nothing, and what stops it: the object limit, a cancel.
TEST(Scatter, EmptyLimitedAndCancelled) {
  WindowValues owner;
  Scene s{nullptr, &owner};
  ProgramValues v;
  FakeServices window;
  s.attachServices(&window);
  paintMap(s, 100, 100, [](int x, int) { return 1000 + 100 * x; });
  s.document().setScale(100, 65.535f, 100);
  s.document().setWaterLevel(5000.0f);
  ScatterRules r;
  std::tie(r.useAltitude, r.lowest, r.highest, r.useSlope, r.maxSlope) =
      std::tuple(true, 120.0, 140.0, true, 20.0);
  EXPECT_EQ(scatterOnScene(s, v, r, ScatterRegion::wholeMap()), 0);
  r.noWater = true;
  EXPECT_EQ(scatterOnScene(s, v, r, ScatterRegion::box(500, 500, 600, 600)), 0);
  ScatterRules plain;
  plain.spacing = 4;
  for (int z = 0; z < 100; z += 2)
    for (int x = 0; x < 100; x += 2)
      s.document().append(0, x, 0, z, AboveGround, 0);
  EXPECT_EQ(scatterOnScene(s, v, plain, ScatterRegion::box(10, 10, 30, 30)), 0);
  ASSERT_EQ(window.notices.size(), 3u);
  EXPECT_EQ(window.notices[0].second,
            "Nothing was scattered: no ground between 120 and 140, with slope under 20 degrees "
            "in this region.");
  EXPECT_EQ(window.notices[1].second, "Nothing was scattered: the region lies outside the map.");
  EXPECT_EQ(window.notices[2].second, "Nothing was scattered: every spot that meets the rules is "
                                      "closer than 4 pixels to an object already there.");
  window.notices.clear();

  test::clearList(s.document(), 0);
  s.document().setObjectLimit(s.document().budget().used + 25);
  plain.count = 0;
  EXPECT_EQ(scatterOnScene(s, v, plain, ScatterRegion::wholeMap()), 25);
  ASSERT_EQ(window.notices.size(), 1u);
  EXPECT_EQ(window.notices[0].second,
            "Too many objects!!\n\nThe scatter stopped at the limit\nafter placing 25 objects");

  // A count that the room left holds exactly is not cut short.
  test::clearList(s.document(), 0);
  window.notices.clear();
  plain.count = 10;
  s.document().setObjectLimit(s.document().budget().used + 10);
  EXPECT_EQ(scatterOnScene(s, v, plain, ScatterRegion::wholeMap()), 10);
  EXPECT_TRUE(window.notices.empty());

  std::vector<double> reported;
  const ScatterPlan cancelled =
      planScatter(s.document(), v, plain, ScatterRegion::wholeMap(), 1000, [&](double done) {
        reported.push_back(done);
        return reported.size() < 3;
      });
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_TRUE(cancelled.items.empty());
  EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
}

using ScatterFixture = PlacementFixture;

// The tool: a drag scatters in the box, or in the ellipse, that it shows, at
// the spacing of the rules (wider than the default, which would break it).
TEST_F(ScatterFixture, ToolScattersInTheDraggedFigure) {
  for (const ScatterShape shape : {ScatterShape::Box, ScatterShape::Ellipse}) {
    test::clearList(s.document(), 4);
    v.modes.selectTool(Scatter);
    std::tie(v.scatter.shape, v.scatter.spacing, v.currentType) = std::tuple(shape, 7.0, 4);
    const RubberBand band = toolFor(Scatter).figure(v, {100, 100}, {140, 120});
    EXPECT_EQ(band.figure, shape == ScatterShape::Box ? RubberFigure::Rect : RubberFigure::Ellipse);
    gesture(s, v, {{100, 100}, {120, 110}, {140, 120}});
    const Items placed = items(4);
    ASSERT_GT(placed.size(), 10u);
    const ScatterRegion region = shape == ScatterShape::Box
                                     ? ScatterRegion::box(100, 100, 140, 120)
                                     : ScatterRegion::ellipse(100, 100, 40, 20);
    const Grid grid(s.document().objects()[4], 7.0);
    for (const ScItem &i : placed) {
      ASSERT_TRUE(region.contains(int(i.x), int(i.z))) << i.x << "," << i.z;
      ASSERT_GE(grid.nearest(i.x, i.z, 1, true), 7.0) << i.x << "," << i.z;
    }
  }
}

TEST(Scatter, RegionShapes) {
  const ScatterRegion box = ScatterRegion::box(10, 20, 5, 8);
  const ScatterRegion flat = ScatterRegion::ellipse(50, 50, 0, 10);
  const ScatterRegion round = ScatterRegion::ellipse(0, 0, 10, 5);
  EXPECT_EQ(std::vector<bool>({box.contains(5, 8), box.contains(10, 20), box.contains(4, 8),
                               box.contains(7, 21), flat.contains(50, 40), flat.contains(51, 50),
                               round.contains(10, 0), round.contains(0, -5), round.contains(8, 4),
                               round.contains(7, 3)}),
            std::vector<bool>({true, true, false, false, true, false, true, true, false, true}));
}

} // namespace
} // namespace hs
