#include "view3d/SceneModel.h"
#include "terrain/Height.h"
#include "view3d/Objects.h"
#include "view3d/Terrain.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace hs;
using namespace hs::view3d;

// A 513 x 513 16-bit map of 8 x 8 tiles, a gentle slope, scaled 1000 x 100 x 1000.
struct BigMap : Document {
  BigMap() {
    LRMemoryDC map(513, 513);
    for (int r = 0; r < 513; ++r)
      for (int c = 0; c < 513; ++c)
        map.rowPixels(r)[c] =
            0xFF000000u | (std::uint32_t(c * 64) & 0xFFu) << 16 | (std::uint32_t(c * 64) & 0xFF00u);
    setHfType(1);
    setMap(std::move(map));
    setScale(1000.0f, 100.0f, 1000.0f);
    setWaterLevel(0);
  }
};

bool sameAs(const Instance &a, const Instance &b) {
  return a.x == b.x && a.y == b.y && a.z == b.z && a.turn == b.turn && a.scale == b.scale;
}

// After every kind of change the instances are what reading the lists afresh gives.
TEST(View3dModel, InstancesFollowEveryChangeOfTheLists) {
  BigMap d;
  ObjectInstances kept;
  kept.update(d, 1 << 30);
  const int listener = d.addListener([&](const DocumentChange &c) { kept.hear(d, c); });
  const std::function<void()> steps[] = {
      [&] {
        d.append(3, ScItem{10, 20, 30, AboveGround, 1});
      },
      [&] {
        for (int i = 0; i < 6000; ++i) // more than is read at once
          d.append(3, ScItem{double(i % 500), 5, double(i / 12), AboveWater, 2});
      },
      [&] {
        d.remove(3, {0, 2, 5999});
      },
      [&] {
        d.history().clear(), d.append(4, ScItem{1, 2, 3, AboveCamera, 0});
      },
      [&] {
        d.change(3, 4, ScItem{7, 8, 9, AboveGround, 3, 30.0f, 2.0f});
      },
      [&] { d.setWaterLevel(40000); },
      [&] {
        d.setCamera(ScItem{50, 60000, 50, AboveGround, 900});
      },
      [&] { d.stepHistory(false), d.stepHistory(false), d.stepHistory(false); },
      [&] { d.setScale(500.0f, 50.0f, 800.0f); },
  };
  for (std::size_t s = 0; s < std::size(steps); ++s) {
    steps[s]();
    kept.update(d, 1 << 30);
    const float cameraY = float(toPov(d, d.camera(), 0.0f).y);
    for (int t = 0; t < kObjectTypes; ++t) {
      const ScData &records = d.objects()[std::size_t(t)];
      ASSERT_EQ(kept.list(t).size(), std::size_t(records.count())) << s << " " << t;
      for (std::int32_t i = 0; i < records.count(); ++i)
        ASSERT_TRUE(sameAs(kept.list(t)[std::size_t(i)], instanceOf(d, records[i], cameraY)))
            << "step " << s << " type " << t << " record " << i;
    }
  }
  d.removeListener(listener);
}

// From above the map's middle the tiles all come whole within a large budget;
// within a small one the far tiles coarsen first, skirts where strides meet,
// and nothing behind the eye is drawn.
TEST(View3dModel, TerrainKeepsWithinItsBudgetCoarseningFarTiles) {
  BigMap d;
  TerrainSamples t;
  startTerrain(t, d, false);
  readTerrain(t, d, nullptr, 1LL << 40);
  const TerrainPlacement place = placementOf(d);
  const CameraPose low{{0, 150, 600}, {0, 50, 0}, 60.0};
  const QMatrix4x4 vp = projectionMatrix(low, 1.0, 1.0f, 2.0f) * viewMatrix(low);
  const CameraPose above{{0, 3000, 1}, {0, 0, 0}, 60.0};
  const auto whole =
      chooseTiles(t, place, projectionMatrix(above, 1.0, 1.0f, 2.0f) * viewMatrix(above), above.eye,
                  400, 1LL << 40);
  EXPECT_EQ(trianglesOf(whole), 64LL * 2 * 64 * 64);
  // Nearer, 20 degrees wide: the four tiles about the middle (125 units a side).
  const CameraPose narrow{{0, 500, 1}, {0, 0, 0}, 20.0};
  const QMatrix4x4 down = projectionMatrix(narrow, 1.0, 1.0f, 2.0f) * viewMatrix(narrow);
  EXPECT_EQ(chooseTiles(t, place, down, narrow.eye, 400, 1LL << 40).size(), 4u);
  for (const long long budget : {200'000LL, 20'000LL}) {
    const auto tiles = chooseTiles(t, place, vp, low.eye, 400, budget);
    EXPECT_LE(trianglesOf(tiles), budget);
    int skirts = 0;
    for (const TileDraw &a : tiles) {
      skirts += a.skirts != 0;
      for (const TileDraw &b : tiles) { // nearer rows (towards the eye) are never coarser
        EXPECT_TRUE(a.across != b.across || a.down <= b.down || a.stride <= b.stride);
        // A side hangs a skirt exactly where its neighbour has another stride.
        const int side = b.across == a.across - 1 && b.down == a.down   ? 1
                         : b.across == a.across + 1 && b.down == a.down ? 2
                         : b.down == a.down - 1 && b.across == a.across ? 4
                         : b.down == a.down + 1 && b.across == a.across ? 8
                                                                        : 0;
        EXPECT_TRUE(side == 0 || ((a.skirts & side) != 0) == (a.stride != b.stride));
      }
    }
    EXPECT_GT(skirts, 0);
  }
  const CameraPose away{{0, 150, 600}, {0, 150, 1200}, 60.0};
  const QMatrix4x4 back = projectionMatrix(away, 1.0, 1.0f, 2.0f) * viewMatrix(away);
  EXPECT_TRUE(chooseTiles(t, place, back, away.eye, 400, 1LL << 40).empty());
}

// Objects in a row going away: the nearest as shapes up to the budget, the
// rest points thinned to it, those behind the eye or too small for half a
// pixel not at all.
TEST(View3dModel, ObjectsNearestAsShapesThenThinnedPoints) {
  BigMap d;
  for (int i = 0; i < 2000; ++i)
    d.append(i % 2, ScItem{256, 0, 256.0 + i * 0.1, AboveGround, 0});
  ObjectInstances kept;
  kept.update(d, 1 << 30);
  const CameraPose pose{{0, 5, 100}, {0, 5, 600}, 60.0}; // the first 512 behind
  const QMatrix4x4 vp = projectionMatrix(pose, 1.0, 1.0f, 2.0f) * viewMatrix(pose);
  ObjectDraw out;
  chooseObjects(kept, vp, 400, {100, 500}, out);
  const long long shapes = out.count() - static_cast<long long>(out.points.size());
  EXPECT_GE(shapes, 90); // a shape budget is kept to within a depth bin
  EXPECT_LE(shapes, 100);
  EXPECT_NEAR(double(out.count()), 500, 60);
  float farthestShape = 0, nearestPoint = 1e9f;
  for (const auto &list : out.shapes)
    for (const Instance &o : list)
      farthestShape = std::max(farthestShape, o.z);
  for (const Vertex &p : out.points)
    nearestPoint = std::min(nearestPoint, p.z);
  EXPECT_LT(farthestShape, nearestPoint);
  chooseObjects(kept, vp, 400, {100, 500, 1.0}, out); // shapes within one pixel's area: none
  EXPECT_EQ(out.count(), static_cast<long long>(out.points.size()));
  chooseObjects(kept, vp, 1e-6, {100, 500}, out); // all far smaller than a pixel
  EXPECT_EQ(out.count(), 0);
}

// The work a change asks is done in slices: the terrain's rows first, then the objects.
TEST(View3dModel, UpdatesASliceAtATime) {
  BigMap d;
  d.append(0, ScItem{1, 2, 3, AboveGround, 0});
  SceneModel model(d);
  int calls = 1;
  EXPECT_FALSE(model.update(513 * 64, nullptr));
  EXPECT_EQ(std::tuple(model.terrain().rowsRead, model.objects().complete()),
            std::tuple(64, false));
  do // 513 rows, 64 a call
    ++calls;
  while (!model.update(513 * 64, nullptr));
  EXPECT_EQ(std::tuple(calls, model.objects().list(0).size()), std::tuple(9, 1u));
}

} // namespace
