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

// A 16-bit map whose ground value at (x, z) is f(x, z).
void paintMap(Scene &s, int w, int h, const std::function<int(int, int)> &f) {
  Document &d = s.document();
  d.setMap(LRMemoryDC(w, h));
  d.setHfType(1);
  test::paintMap(d, [&f](int x, int z) {
    const int v = f(x, z);
    return vColor(v & 255, (v >> 8) & 255, 0).value();
  });
}

// Smooth waves plus a cliff every 37 columns.
int hilly(int x, int z) {
  const double v = 30000 + 12000 * std::sin(x * 0.05) * std::cos(z * 0.04) + (x / 37) % 3 * 4000;
  return static_cast<int>(v);
}

// Objects binned by cells of the spacing's size, so neighbour checks skip most pairs.
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
  // The distance to the nearest object within reach cells, 1e300 when none.
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

ScatterPlan plan(const Scene &s, const ProgramValues &v, const ScatterRules &r,
                 const ScatterRegion &region = ScatterRegion::wholeMap(),
                 long long room = 1'000'000) {
  return planScatter(s.document(), v, r, region, room);
}

// Maximal: every allowed pixel is closer than the spacing to an object (users are promised 2x).
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
    for (int i = 0; i < 20; ++i) {
      s.document().append(0, 10.5 * i, 7, 9.0 * i, AboveGround, 0);
      s.document().append(3, 10.0 * i + 3, 7, 9.0 * i, AboveGround, 0);
    }
    const ScatterPlan p = plan(s, v, r, c.region);
    ASSERT_TRUE(p.whyNone.empty()) << p.whyNone;
    ASSERT_GT(p.items.size(), 10u);
    applyScatter(s.document(), p);

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

TEST(Scatter, IslandsAreAllFilledAndACountIsSpreadOut) {
  Scene s;
  ProgramValues v;
  paintMap(s, 200, 200, [](int x, int z) {
    const int cx = x < 100 ? 40 : 160;
    const int cz = z < 100 ? 40 : 160;
    return std::hypot(x - cx, z - cz) < 20 ? 500 : 100;
  });
  s.document().setWaterLevel(300);
  ScatterRules r;
  std::tie(r.spacing, r.noWater) = std::tuple(3.0, true);
  const auto perIsland = [&](const ScatterPlan &p) {
    std::array<int, 4> n{};
    for (const ScItem &i : p.items)
      ++n[(i.x < 100 ? 0 : 1) + (i.z < 100 ? 0 : 2)];
    return *std::min_element(n.begin(), n.end());
  };
  const ScatterPlan every = plan(s, v, r);
  EXPECT_GT(perIsland(every), 80);
  r.count = 40;
  const ScatterPlan some = plan(s, v, r);
  ASSERT_EQ(some.items.size(), 40u);
  EXPECT_GE(perIsland(some), 3); // spread out, not grown from one corner
  r.count = 1'000'000;
  EXPECT_EQ(plan(s, v, r).items, every.items);
}

// Rise over run at the current scale, as POV-Ray builds the plane.
TEST(Scatter, SlopeOfATiltedPlane) {
  for (const bool alongRows : {false, true}) {
    Scene s;
    ProgramValues v;
    paintMap(s, 101, 51, [&](int x, int z) { return 1000 + 300 * (alongRows ? z : x); });
    s.document().setScale(200.0f, 50.0f, 80.0f);
    const double run = alongRows ? 80.0 / 50 : 200.0 / 100;
    const double degrees = std::atan(300.0 / 65535 * 50 / run) * 180 / std::numbers::pi;
    ScatterRules r;
    r.useSlope = true;
    const GroundRules ground(s.document(), r, ScatterRegion::wholeMap());
    for (const auto &[x, z] : {std::pair(0, 0), std::pair(50, 25), std::pair(100, 50),
                               std::pair(0, 50), std::pair(100, 0), std::pair(37, 0)})
      EXPECT_NEAR(ground.slopeAt(x, z), degrees, 1e-9) << x << "," << z;

    r.maxSlope = degrees + 0.001;
    EXPECT_EQ(plan(s, v, r).items.size(), plan(s, v, ScatterRules{}).items.size());
    r.maxSlope = degrees - 0.001;
    EXPECT_TRUE(plan(s, v, r).items.empty());
  }
}

// POV-Ray splits each cell along its upper-left to lower-right diagonal, so only
// the neighbours on that diagonal share a triangle with the bump.
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
  EXPECT_EQ(steep, "...../.##../.###./..##./...../");
  EXPECT_EQ(plan(s, v, r, ScatterRegion::wholeMap(), 1000).items.size(), 81u - 7u);
}

// At spacing 1 the plan shows the fast pass pixel for pixel; Targa holes are pure white.
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
    std::set<std::pair<int, int>> taken;
    for (const ScItem &i : plan(s, v, r, region).items)
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

// The first objects of a seed are pinned, so every build agrees.
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
  const ScatterPlan a = plan(s, v, r, ScatterRegion::wholeMap(), 1000);
  const ScatterPlan b = plan(s, v, r, ScatterRegion::wholeMap(), 1000);
  ASSERT_EQ(a.items, b.items);
  ASSERT_EQ(a.types, b.types);
  char first[200];
  std::snprintf(first, sizeof first, "%d %g,%g %.4f %.4f | %d %g,%g %.4f %.4f | %zu", a.types[0],
                a.items[0].x, a.items[0].z, double(a.items[0].turn), double(a.items[0].size),
                a.types[1], a.items[1].x, a.items[1].z, double(a.items[1].turn),
                double(a.items[1].size), a.items.size());
  EXPECT_STREQ(first, "2 8,0 -22.6193 0.8301 | 2 15,0 159.7358 0.5341 | 213");
  r.seed = 2027;
  EXPECT_NE(plan(s, v, r, ScatterRegion::wholeMap(), 1000).items, a.items);
}

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
  const ScatterPlan p = plan(s, v, r);
  int perType[kObjectTypes] = {};
  for (const int type : p.types)
    ++perType[type];
  const auto [turnLo, turnHi] = std::minmax_element(
      p.items.begin(), p.items.end(), [](auto &a, auto &b) { return a.turn < b.turn; });
  const auto [sizeLo, sizeHi] = std::minmax_element(
      p.items.begin(), p.items.end(), [](auto &a, auto &b) { return a.size < b.size; });
  EXPECT_EQ(perType[0] + perType[5], int(p.items.size()));
  EXPECT_NEAR(double(perType[5]) / perType[0], 3.0, 0.4);
  EXPECT_TRUE(turnLo->turn >= 10.0f && turnHi->turn <= 40.0f && turnHi->turn - turnLo->turn > 29);
  EXPECT_TRUE(sizeLo->size >= 0.8f - 1e-6f && sizeHi->size <= 1.2f + 1e-6f &&
              sizeHi->size - sizeLo->size > 0.39f);
  std::tie(r.useMix, v.currentType) = std::tuple(false, 7); // all of the current type
  const ScatterPlan one = plan(s, v, r, ScatterRegion::box(0, 0, 20, 20), 1000);
  EXPECT_EQ(std::count(one.types.begin(), one.types.end(), 7), long(one.types.size()));
}

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

  // A count that fits the room exactly is not cut short.
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

// A spacing wider than the default, which would break the check.
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
