#include "view3d/Geometry.h"
#include "view3d/Objects.h"
#include "view3d/Terrain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using namespace hs;
using namespace hs::view3d;

QVector3D at(const Vertex &v) { return {v.x, v.y, v.z}; }

// A 3 x 2 16-bit map (pixel i at level i * 6554) scaled 100 x 10 x 50.
struct TinyMap : Document {
  TinyMap() : Document(Recording::Off) {
    LRMemoryDC map(3, 2);
    for (std::uint32_t i = 0; i < 6; ++i)
      map.writePixel(int(i % 3), int(i / 3), i * 6554); // red the low byte, green the high
    setHfType(1);
    setMap(std::move(map));
    setScale(100.0f, 10.0f, 50.0f);
  }
};

// Centre pixel (1, 0) at the origin, rows towards POV-Ray's -z (this frame's
// +z), heights over 65536, read a row at a time with each tile's range; each
// cell cut from its upper left to its lower right corner.
TEST(View3dGeometry, TerrainIsTheHeightFieldPovRayBuilds) {
  const TinyMap map;
  TerrainSamples t;
  startTerrain(t, map, false);
  EXPECT_EQ(std::tuple(readTerrain(t, map, nullptr, 3), t.rowsRead, t.tileRead(0)),
            std::tuple(false, 1, false));
  EXPECT_EQ(std::tuple(readTerrain(t, map, nullptr, 3), t.low[0], t.high[0]),
            std::tuple(true, 0, 5 * 6554));
  const TerrainPlacement place = placementOf(map);
  const float expected[6][3] = {{-50, 0, 0},  {0, 1, 0},  {50, 2, 0},
                                {-50, 3, 50}, {0, 4, 50}, {50, 5, 50}};
  for (int i = 0; i < 6; ++i) {
    const QVector3D e(expected[i][0], expected[i][1] * 6554 * 10 / 65536.0f, expected[i][2]);
    EXPECT_LT(place.at(i % 3, i / 3, t.samples[std::size_t(i)]).distanceToPoint(e), 1e-4) << i;
  }
  // The ground in a picture's colours; one too small leaves it coloured by height.
  LRMemoryDC picture(3, 2), small(2, 2);
  picture.rowPixels(1)[1] = 0xFF3366FFu;
  TerrainSamples coloured = t;
  for (const LRMemoryDC *p : {&picture, &small}) {
    startTerrain(coloured, map, true);
    readTerrain(coloured, map, p, 6);
    EXPECT_EQ(coloured.colours.empty() ? 0 : coloured.colours[4], p == &small ? 0 : 0xFF3366FFu);
  }
  // Corners in rows of 65; the first cell as POV-Ray cuts it, then each side's skirt.
  const TilePatch whole = tilePatch(1), coarsest = tilePatch(kTileCells);
  const std::vector<std::uint32_t> cell(whole.indices.begin(), whole.indices.begin() + 6);
  EXPECT_EQ(cell, (std::vector<std::uint32_t>{0, 66, 1, 0, 65, 66}));
  const std::vector<float> corners(coarsest.corners.begin(), coarsest.corners.begin() + 12);
  EXPECT_EQ(corners, (std::vector<float>{0, 0, 0, 64, 0, 0, 0, 64, 0, 64, 64, 0}));
  EXPECT_EQ(std::tuple(whole.corners.size(), whole.indices.size(), coarsest.indices.size()),
            std::tuple(3u * (65 * 65 + 4 * 2 * 64), 6u * (64 * 64 + 4 * 64), 6u * (1 + 4)));
}

// Where a POV-Ray point lands on the screen, x and y from -1 to 1.
QPointF onScreen(const CameraPose &pose, double aspect, double x, double y, double z) {
  const QVector3D p =
      (projectionMatrix(pose, aspect, 0.1f, 1000.0f) * viewMatrix(pose)).map(fromPov(x, y, z));
  return {p.x(), p.y()};
}

// The camera at <0, 0, -10> looking at the origin: the angle spans the width,
// POV-Ray's +x stays on the right (not mirrored) and +y up.
TEST(View3dGeometry, SceneCameraFramesWhatPovRayFrames) {
  const CameraPose pose{fromPov(0, 0, -10), fromPov(0, 0, 0), 60.0};
  const double half = std::tan(M_PI / 6) * 10, aspect = 4.0 / 3;
  const struct {
    double x, y, z, sx, sy;
  } rows[] = {{0, 0, 0, 0, 0},
              {half, 0, 0, 1, 0},
              {-half / 2, 0, 0, -0.5, 0},
              {0, half / aspect, 0, 0, 1},
              {half * 2, 0, 10, 1, 0}};
  for (const auto &r : rows) {
    const QPointF s = onScreen(pose, aspect, r.x, r.y, r.z);
    EXPECT_NEAR(s.x(), r.sx, 1e-5) << r.x << "," << r.y << "," << r.z;
    EXPECT_NEAR(s.y(), r.sy, 1e-5) << r.x << "," << r.y << "," << r.z;
  }
  // Straight down, the picture's top is towards POV-Ray's +z.
  const CameraPose down{fromPov(0, 10, 0), fromPov(0, 0, 0), 60.0};
  EXPECT_GT(onScreen(down, aspect, 0, 0, 1).y(), 0.1);
  TinyMap d;
  d.setCamera({2, 0, 1, AboveGround, 7});
  d.setLookAt({0, 0, 0, AboveGround, 0});
  const CameraPose scene = sceneCamera(d);
  EXPECT_EQ(scene.eye, fromPov(50, 7, -50));
  EXPECT_EQ(scene.target, fromPov(-50, 0, 0));
}

// Yaw 0 looks along POV-Ray's +z, 90 along +x; the orbit read back from its
// pose is the orbit.
TEST(View3dGeometry, OrbitCircleTheLookAtPoint) {
  const struct {
    Orbit orbit;
    QVector3D eye;
  } rows[] = {{{0, 0, 10}, fromPov(-50, 0, -10)},
              {{90, 0, 10}, fromPov(-60, 0, 0)},
              {{0, 90, 10}, fromPov(-50, 10, 0)},
              {{-135, 30, 4}, fromPov(-50 + std::sqrt(6.0), 2, std::sqrt(6.0))}};
  TinyMap at;
  at.setLookAt({0, 0, 0, AboveGround, 0});
  for (const auto &r : rows) {
    const CameraPose pose = orbitCamera(at, r.orbit);
    EXPECT_LT((pose.eye - r.eye).length(), 1e-4) << r.orbit.yaw << " " << r.orbit.pitch;
    const Orbit back = orbitOf(pose);
    if (r.orbit.pitch < 90) { // straight above, any yaw is the same eye
      EXPECT_NEAR(back.yaw, r.orbit.yaw, 1e-3);
    }
    EXPECT_NEAR(back.pitch, r.orbit.pitch, 1e-3);
    EXPECT_NEAR(back.distance, r.orbit.distance, 1e-4);
  }
}

// An object stands on its place, sized about its base: a tall box (type 8,
// 5 hundredths of the map high) of size 2 reaches 10. The markers are
// diamonds about the camera and the look-at point.
TEST(View3dGeometry, ObjectsStandSizedOnTheirPlaces) {
  TinyMap d;
  const Instance o = instanceOf(d, ScItem{2, 0, 1, AboveGround, 3, 45.0f, 2.0f}, 0.0f);
  EXPECT_EQ(std::tuple(o.x, o.y, o.z, o.turn, o.scale),
            std::tuple(50.0f, 3.0f, 50.0f, float(M_PI / 4), 2.0f));
  const Mesh m = shapeMesh(7);
  const auto [low, high] =
      std::minmax_element(m.vertices.begin(), m.vertices.end(),
                          [](const Vertex &a, const Vertex &b) { return a.y < b.y; });
  EXPECT_EQ(std::tuple(low->y, high->y * o.scale, shapeSize(7).reach),
            std::tuple(0.0f, 10.0f, 5.0f));
  for (const Vertex &v : m.vertices)
    EXPECT_LT(std::hypot(v.x, v.z), 0.6f * 1.5f / 2);
  d.setCamera({1, 0, 1, AboveGround, 20});
  const Mesh markers = markersMesh(d);
  ASSERT_EQ(markers.vertices.size(), 32u);
  QVector3D middle[2];
  for (std::size_t i = 0; i < 32; ++i)
    middle[i / 16] += at(markers.vertices[i]) / 16;
  EXPECT_LT((middle[0] - fromPov(0, 20, -50)).length(), 1e-4);
  EXPECT_LT((middle[1] - sceneCamera(d).target).length(), 1e-4);
}

} // namespace
