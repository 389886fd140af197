#include "placement/Scatter.h"
#include "placement/DensityMask.h"
#include "placement/Tool.h"
#include "support/DataTable.h"
#include "support/Documents.h"
#include "support/TestFiles.h"
#include "terrain/Height.h"

#include "Fakes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>

#include <QPolygonF>

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
      bins[{int(std::floor(i.x / cell)), int(std::floor(i.z / cell))}].push_back(i);
  }
  // The distance to the nearest object in the cells around, 1e300 when none.
  double nearest(double x, double z, bool skipSelf) const {
    double best = 1e300;
    for (int dz = -1; dz <= 1; ++dz)
      for (int dx = -1; dx <= 1; ++dx)
        if (const auto it =
                bins.find({int(std::floor(x / cell)) + dx, int(std::floor(z / cell)) + dz});
            it != bins.end())
          for (const ScItem &o : it->second)
            if (!skipSelf || o.x != x || o.z != z)
              best = std::min(best, std::hypot(o.x - x, o.z - z));
    return best;
  }
};

ScatterPlan plan(const Scene &s, const ProgramValues &v, const ScatterRules &r,
                 const ScatterRegion &region = ScatterRegion::wholeMap(),
                 long long room = 1'000'000) {
  return planScatter(s.document(), v, r, region, room);
}

// Maximal: every allowed pixel is closer than the spacing to an object (users are promised 2x),
// so at spacing 1 every allowed pixel is taken. Targa holes are pure white.
TEST(Scatter, SpacingRulesAndMaximality) {
  for (const auto &row : test::dataTable("scatter_spacing.txt")) {
    SCOPED_TRACE(row[0]);
    const std::vector<double> g = test::numbers<double>(row[1].substr(row[1].find(' ') + 1));
    const ScatterRegion region = row[1] == "whole" ? ScatterRegion::wholeMap()
                                 : row[1].starts_with("box")
                                     ? ScatterRegion::box(g[0], g[1], g[2], g[3])
                                     : ScatterRegion::ellipse(g[0], g[1], g[2], g[3]);
    const std::vector<double> c = test::numbers<double>(row[2]); // spacing, rules, counts
    ASSERT_EQ(c.size(), 7u);
    Scene s;
    ProgramValues v;
    paintMap(s, 211, 180, hilly);
    if (c[4] != 0) {
      s.document().setHfType(0);
      test::paintMap(s.document(), [](int x, int z) {
        const bool hole = (x / 9 + z / 7) % 5 == 0;
        return hole ? 0xFFFFFFu : vColor(0, 0, hilly(x, z) >> 8).value();
      });
    }
    s.document().setWaterLevel(c[4] != 0 ? 100.0f : 26000.0f);
    ScatterRules r;
    r.spacing = c[0];
    std::tie(r.useAltitude, r.lowest, r.highest) = std::tuple(c[1] != 0, 4.0, 5.6);
    std::tie(r.noWater, r.useSlope, r.maxSlope) = std::tuple(c[2] != 0, c[3] != 0, 1.5);
    for (int i = 0; i < 20; ++i) {
      s.document().append(0, 10.5 * i, 7, 9.0 * i, AboveGround, 0);
      s.document().append(3, 10.0 * i + 3, 7, 9.0 * i, AboveGround, 0);
    }
    const ScatterPlan p = plan(s, v, r, region);
    applyScatter(s.document(), p);

    const GroundRules ground(s.document(), r, region);
    const Grid grid(s.document().objects()[0], c[0]); // the type scattered
    for (int k = 20; k < s.document().objects()[0].count(); ++k) {
      const ScItem &i = s.document().objects()[0][k];
      ASSERT_EQ(i.x, std::floor(i.x));
      ASSERT_TRUE(ground.allows(int(i.x), int(i.z))) << i.x << "," << i.z;
      ASSERT_GE(grid.nearest(i.x, i.z, true), c[0]) << i.x << "," << i.z;
      ASSERT_EQ(i.y, heightAt(s.document(), int(i.x), int(i.z)));
    }
    std::size_t allowed = 0;
    for (int z = -1; z <= s.document().mapHeight(); ++z)
      for (int x = -1; x <= s.document().mapWidth(); ++x)
        if (ground.allows(x, z)) {
          ++allowed;
          ASSERT_LT(grid.nearest(x, z, false), c[0]) << x << "," << z;
        }
    EXPECT_EQ(std::pair(double(allowed), double(p.items.size())), std::pair(c[5], c[6]));
  }
}

TEST(Scatter, IslandsAreAllFilledAndACountIsSpreadOut) {
  Scene s;
  ProgramValues v;
  paintMap(s, 200, 200, [](int x, int z) {
    return std::hypot(x - (x < 100 ? 40 : 160), z - (z < 100 ? 40 : 160)) < 20 ? 500 : 100;
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

// Rise over run at the current scale, as POV-Ray builds the plane, at every pixel. POV-Ray splits
// each cell along its upper-left to lower-right diagonal, so only the neighbours on that diagonal
// share a triangle with a bump.
TEST(Scatter, SlopeOfATiltedPlaneAndAroundABump) {
  ProgramValues v;
  ScatterRules r;
  std::tie(r.spacing, r.useSlope) = std::pair(1.0, true);
  for (const bool alongRows : {false, true}) {
    Scene s;
    paintMap(s, 101, 51, [&](int x, int z) { return 1000 + 300 * (alongRows ? z : x); });
    s.document().setScale(200.0f, 50.0f, 80.0f);
    const double run = alongRows ? 80.0 / 50 : 200.0 / 100;
    const double degrees = std::atan(300.0 / 65535 * 50 / run) * 180 / std::numbers::pi;
    r.maxSlope = degrees + 1e-9;
    EXPECT_EQ(plan(s, v, r).items.size(), 101u * 51) << alongRows;
    r.maxSlope = degrees - 1e-9;
    EXPECT_TRUE(plan(s, v, r).items.empty()) << alongRows;
  }
  Scene s;
  paintMap(s, 9, 9, [](int x, int z) { return x == 4 && z == 4 ? 60000 : 0; });
  r.maxSlope = 10.0;
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

// The first objects of a seed are pinned, so every build agrees; a mix keeps its weights and
// every turn and size within the rules, and without one all are of the current type.
TEST(Scatter, SameSeedSameObjects) {
  Scene s;
  ProgramValues v;
  paintMap(s, 120, 90, hilly);
  ScatterRules r;
  std::tie(r.spacing, r.seed, r.turnFrom, r.turnTo, r.sizeFrom, r.sizeTo) =
      std::tuple(6.0, 2026u, -180.0, 180.0, 0.5, 2.0);
  std::tie(r.useMix, r.weights[2], r.weights[9]) = std::tuple(true, 1, 3);
  const ScatterPlan a = plan(s, v, r, ScatterRegion::wholeMap(), 1000);
  const ScatterPlan b = plan(s, v, r, ScatterRegion::wholeMap(), 1000);
  ASSERT_EQ(std::pair(a.items, a.types), std::pair(b.items, b.types));
  char first[200];
  std::snprintf(first, sizeof first, "%d %g,%g %.4f %.4f | %d %g,%g %.4f %.4f | %zu", a.types[0],
                a.items[0].x, a.items[0].z, double(a.items[0].turn), double(a.items[0].size),
                a.types[1], a.items[1].x, a.items[1].z, double(a.items[1].turn),
                double(a.items[1].size), a.items.size());
  EXPECT_STREQ(first, "2 8,0 -22.6193 0.8301 | 2 15,0 159.7358 0.5341 | 213");
  const auto [turnLo, turnHi] = std::minmax_element(
      a.items.begin(), a.items.end(), [](auto &p, auto &q) { return p.turn < q.turn; });
  const auto [sizeLo, sizeHi] = std::minmax_element(
      a.items.begin(), a.items.end(), [](auto &p, auto &q) { return p.size < q.size; });
  const long nine = std::count(a.types.begin(), a.types.end(), 9);
  EXPECT_EQ(std::count(a.types.begin(), a.types.end(), 2) + nine, long(a.types.size()));
  EXPECT_NEAR(double(nine) / double(long(a.types.size()) - nine), 3.0, 0.6);
  EXPECT_TRUE(turnLo->turn >= -180 && turnHi->turn <= 180 && turnHi->turn - turnLo->turn > 350 &&
              sizeLo->size >= 0.5f && sizeHi->size <= 2.0f && sizeHi->size - sizeLo->size > 1.4f)
      << turnLo->turn << " " << turnHi->turn << " " << sizeLo->size << " " << sizeHi->size;
  r.seed = 2027;
  EXPECT_NE(plan(s, v, r, ScatterRegion::wholeMap(), 1000).items, a.items);
  std::tie(r.useMix, v.currentType) = std::tuple(false, 7);
  const ScatterPlan one = plan(s, v, r, ScatterRegion::box(0, 0, 20, 20), 1000);
  EXPECT_EQ(std::count(one.types.begin(), one.types.end(), 7), long(one.types.size()));
}

// Every pair of objects of any types, checked cell by cell: the closest two, or 1e300.
struct Placed {
  double x, z, r;
  int type;
};
std::vector<Placed> everyObject(const Document &d, const ScatterRules &r) {
  std::vector<Placed> all;
  for (int t = 0; t < kObjectTypes; ++t)
    for (const ScItem &i : d.objects()[std::size_t(t)])
      all.push_back({i.x, i.z, std::max(0.0, r.radii[std::size_t(t)]), t});
  return all;
}
// The smallest gap between two objects after their radii and spacing (negative: too close).
double tightestGap(const std::vector<Placed> &all, double spacing, double cell) {
  std::map<std::pair<int, int>, std::vector<const Placed *>> bins;
  for (const Placed &p : all)
    bins[{int(std::floor(p.x / cell)), int(std::floor(p.z / cell))}].push_back(&p);
  double least = 1e300;
  for (const Placed &p : all)
    for (int dz = -1; dz <= 1; ++dz)
      for (int dx = -1; dx <= 1; ++dx)
        if (auto it =
                bins.find({int(std::floor(p.x / cell)) + dx, int(std::floor(p.z / cell)) + dz});
            it != bins.end())
          for (const Placed *q : it->second)
            if (q != &p)
              least = std::min(least, std::hypot(p.x - q->x, p.z - q->z) - p.r - q->r - spacing);
  return least;
}

// Footprints keep every pair apart across types, objects already there included (houses of
// radius 5 keep trees of radius 1 seven pixels off at spacing 1); no radius is today's rule.
TEST(Scatter, FootprintsAcrossTypes) {
  const struct {
    double spacing;
    std::array<double, 3> radii; // types 1..3 scattered
    double house;                // type 6, already there
  } cases[] = {{1, {1, 1, 1}, 5}, {1, {0, 1, 3}, 5}, {3, {0, 2, 6}, 0}, {2.5, {-1, 4, -1}, -1}};
  for (const auto &c : cases) {
    Scene s;
    ProgramValues v;
    paintMap(s, 211, 180, hilly);
    ScatterRules r;
    std::tie(r.spacing, r.useMix, r.weights[0], r.weights[1], r.weights[2]) =
        std::tuple(c.spacing, true, 1, 1, 1);
    std::copy(c.radii.begin(), c.radii.end(), r.radii.begin());
    r.radii[5] = c.house;
    for (int i = 0; i < 15; ++i)
      s.document().append(5, 13.3 * i, 7, 10.9 * i, AboveGround, 0);
    applyScatter(s.document(), plan(s, v, r));
    const std::vector<Placed> all = everyObject(s.document(), r);
    EXPECT_GT(all.size(), 400u);
    EXPECT_GE(tightestGap(all, c.spacing, c.spacing + 12), -1e-9) << c.spacing << " " << c.house;
    for (int t = 0; t < 3; ++t)
      EXPECT_GT(s.document().objects()[std::size_t(t)].count(), 20) << t;
  }
}

// Halves of 0.25 and 1: the thinned half holds a quarter as many, away from the border.
TEST(Scatter, DensityImageSetsTheCountPerArea) {
  const TestFolder dir;
  const std::string pgm = dir.write("mask.pgm", "P5\n1 2\n255\n\xff\x40"); // 1 above, 64/255 below
  DensityImage below;
  ASSERT_EQ(readDensityImage(pgm, below), Loaded);
  EXPECT_EQ(below.values, (std::vector<float>{1.0f, 64 / 255.0f}));
  const DensityImage beside{2, 1, {0.25f, 1.0f}};
  for (const auto &[mask, across] : {std::pair(beside, true), std::pair(below, false)})
    for (const double spacing : {1.0, 3.0, 8.0}) {
      Scene s;
      ProgramValues v;
      paintMap(s, 400, 300, [](int, int) { return 1000; });
      ScatterRules r;
      std::tie(r.spacing, r.density) =
          std::tuple(spacing, std::make_shared<const DensityImage>(mask));
      const ScatterPlan p = plan(s, v, r);
      std::array<double, 2> n{};
      for (const ScItem &i : p.items) {
        const double a = across ? i.x : i.z, b = across ? i.z : i.x, half = across ? 200 : 150;
        if (std::abs(a - half) > 10 && a > 10 && a < 2 * half - 10 && b > 10 &&
            b < (across ? 290 : 390))
          n[a > half ? 1 : 0] += 1;
      }
      const double want = across ? 0.25 : 64 / 255.0;
      EXPECT_NEAR(across ? n[0] / n[1] : n[1] / n[0], want, 0.1 * want) << spacing << across;
    }
}

// Nothing inside a convex, a concave or an edge-crossing polygon; at spacing 1 everything else.
TEST(Scatter, ExclusionAreasKeepEveryObjectOut) {
  const std::vector<std::vector<AreaCorner>> polygons = {
      {{20.5, 20.5}, {80.5, 30.5}, {60.5, 90.5}},
      {{100.5, 10.5}, {190.5, 10.5}, {190.5, 80.5}, {150.5, 30.5}, {100.5, 80.5}},
      {{-30.5, 120.5}, {40.5, 110.5}, {30.5, 210.5}}};
  Scene s;
  ProgramValues v;
  paintMap(s, 211, 180, hilly);
  ScatterRules r;
  r.spacing = 1;
  std::vector<Area> areas;
  for (const auto &corners : polygons)
    areas.push_back({corners});
  s.document().setAreas({areas[0], areas[1]});
  r.exclude = {areas[2]};
  const ScatterPlan p = plan(s, v, r);
  long long outside = 0;
  for (int z = 0; z < 180; ++z)
    for (int x = 0; x < 211; ++x)
      outside += std::none_of(polygons.begin(), polygons.end(), [&](const auto &c) {
        QPolygonF q;
        for (const AreaCorner &k : c)
          q << QPointF(k.x, k.z);
        return q.containsPoint(QPointF(x, z), Qt::OddEvenFill);
      });
  EXPECT_EQ(long(p.items.size()), outside);
  for (const ScItem &i : p.items)
    for (const Area &a : areas)
      ASSERT_FALSE(a.contains(i.x, i.z)) << i.x << "," << i.z;
}

// Clumps: every object meets the ground, the area, the density, the footprints and the spacing.
TEST(Scatter, ClumpsKeepEveryRule) {
  Scene s;
  ProgramValues v;
  paintMap(s, 211, 180, hilly);
  s.document().setWaterLevel(26000.0f);
  ScatterRules r;
  std::tie(r.spacing, r.noWater, r.useSlope, r.maxSlope) = std::tuple(2.0, true, true, 20.0);
  std::tie(r.useMix, r.weights[0], r.weights[1], r.radii[0], r.radii[1]) =
      std::tuple(true, 1, 1, 0.5, 2);
  r.clumps = {25, 9, 3, 8, 0, true};
  r.density = std::make_shared<const DensityImage>(DensityImage{2, 1, {0, 1}});
  const Area area{{{150.5, 0.5}, {200.5, 0.5}, {175.5, 170.5}}};
  r.exclude = {area};
  s.document().append(4, 160, 0, 100, AboveGround, 0);
  applyScatter(s.document(), plan(s, v, r));
  const GroundRules ground(s.document(), r, ScatterRegion::wholeMap());
  const std::vector<Placed> all = everyObject(s.document(), r);
  ASSERT_GT(all.size(), 60u);
  for (const Placed &p : all)
    ASSERT_TRUE(p.type == 4 ||
                (ground.allows(int(p.x), int(p.z)) && p.x >= 105 && !area.contains(p.x, p.z)))
        << p.x << "," << p.z;
  EXPECT_GE(tightestGap(all, 2.0, 8.0), -1e-9);
}

using ScatterFixture = PlacementFixture;

// A scatter that places nothing says why; one stopped by the object limit says how many it placed.
TEST_F(ScatterFixture, EmptyLimitedAndCancelled) {
  paintMap(s, 100, 100, [](int x, int) { return 1000 + 100 * x; });
  s.document().setScale(100, 65.535f, 100);
  s.document().setWaterLevel(5000.0f);
  for (int z = 10; z <= 30; z += 2)
    for (int x = 10; x <= 30; x += 2)
      s.document().append(0, x, 0, z, AboveGround, 0);
  const ScatterRules steep{
      .lowest = 120, .highest = 140, .maxSlope = 20, .useAltitude = true, .useSlope = true};
  const struct {
    ScatterRules rules;
    ScatterRegion region;
    long long room, placed;
  } cases[] = {
      {steep, ScatterRegion::wholeMap(), 1000, 0},
      {{.noWater = true}, ScatterRegion::box(500, 500, 600, 600), 1000, 0},
      {{.spacing = 4}, ScatterRegion::box(10, 10, 30, 30), 1000, 0},
      {{.spacing = 4}, ScatterRegion::wholeMap(), 25, 25},
      {{.spacing = 4, .count = 10}, ScatterRegion::wholeMap(), 10, 10}, // fits exactly: no notice
  };
  for (const auto &c : cases) {
    s.document().setObjectLimit(s.document().budget().used + c.room);
    EXPECT_EQ(scatterOnScene(s, v, c.rules, c.region), c.placed) << c.room;
  }
  decltype(window.notices) said;
  for (const auto &row : test::dataTable("scatter_notices.txt"))
    said.emplace_back("Notice", test::unescaped(row[0]));
  EXPECT_EQ(window.notices, said);
  std::vector<double> reported;
  const ScatterPlan cancelled = planScatter(s.document(), v, ScatterRules{},
                                            ScatterRegion::wholeMap(), 1000, [&](double done) {
                                              reported.push_back(done);
                                              return reported.size() < 3;
                                            });
  EXPECT_TRUE(cancelled.cancelled && cancelled.items.empty() &&
              std::is_sorted(reported.begin(), reported.end()));
}

// A spacing wider than the default, which would break the check.
TEST_F(ScatterFixture, ToolScattersInTheDraggedFigure) {
  for (const ScatterShape shape : {ScatterShape::Box, ScatterShape::Ellipse}) {
    test::clearList(s.document(), 4);
    v.modes.selectTool(Scatter);
    std::tie(v.scatter.shape, v.scatter.spacing, v.currentType) = std::tuple(shape, 7.0, 4);
    const RubberBand band = toolFor(Scatter).figure(s, v, {100, 100}, {140, 120}).band;
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
      ASSERT_GE(grid.nearest(i.x, i.z, true), 7.0) << i.x << "," << i.z;
    }
  }
}

} // namespace
} // namespace hs
