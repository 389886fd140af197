#include "placement/Unseen.h"
#include "placement/Commands.h"
#include "view/Redraw.h"

#include "Fakes.h"

#include <gtest/gtest.h>

#include <vector>

namespace hs {
namespace {

struct UnseenFixture : PlacementFixture {
  void SetUp() override {
    PlacementFixture::SetUp();
    s.camera = {200, 0, 200, AboveWater, 1.0};  // the map's middle
    s.lookAt = {200, 0, 100, AboveGround, 0.0}; // looking toward row 0
  }
  std::vector<std::pair<double, double>> positions(int type) {
    std::vector<std::pair<double, double>> out;
    for (const ScItem &item : s.objects[static_cast<std::size_t>(type)])
      out.emplace_back(item.x, item.z);
    return out;
  }
};

TEST_F(UnseenFixture, DeletesBehindAndBesideTheCameraKeepsTheWedge) {
  ScData &list = s.objects[4];
  list.append(200, 0, 300, 0, 0.0); // behind the camera
  list.append(200, 0, 50, 0, 0.0);  // straight ahead
  list.append(-5, 0, 300, 0, 0.0);  // off the map behind the camera
  list.append(399, 0, 399, 0, 0.0); // the bottom-right corner pixel
  s.objects[0].append(205, 0, 60, 0, 0.0);
  // A map pixel that happens to be the shading grey, well inside the view.
  s.baseImage.writePixel(205, 60, unseenColour.value());
  s.showView = 0;
  commandDelUnseen(s, v);
  EXPECT_EQ(positions(4), (std::vector<std::pair<double, double>>{{200, 50}, {-5, 300}}));
  EXPECT_EQ(s.objects[0].count(), 1);
  EXPECT_EQ(s.showView, 0);
  EXPECT_EQ(pane.showCount, 1); // redrawn once, at the end
}

// On a map without grey pixels, exactly the objects whose pixel the shading
// (angle 36) turns grey are deleted, edge pixels included; the rest keep their
// order.
TEST_F(UnseenFixture, MaskMatchesTheDrawnShadingPixelForPixel) {
  const ScItem cameras[][2] = {
      {{200, 0, 200, 0, 0}, {400, 0, 0, 0, 0}},      // toward the top-right corner
      {{200, 0, 300, 0, 0}, {200, 0, 100, 0, 0}},    // both rays through the top
      {{13.7, 0, 380, 0, 0}, {390, 0, 377, 0, 0}},   // along the bottom edge
      {{350, 0, 40.2, 0, 0}, {120, 0, 260.9, 0, 0}}, // toward the bottom-left
  };
  for (const auto &setup : cameras) {
    killAll(s);
    s.camera = setup[0];
    s.lookAt = setup[1];
    for (int z = 0; z < 400; z += 3)
      for (int x = z % 5; x < 400; x += 5)
        s.objects[static_cast<std::size_t>((x + z) % 16)].append(x + 0.75, 0, z + 0.25, 0, 0.0);
    s.viewImage.copyFrom(s.baseImage);
    drawView(s, 36.0);
    std::array<std::vector<ScItem>, kObjectTypes> expected;
    for (int t = 0; t < kObjectTypes; ++t)
      for (const ScItem &item : s.objects[static_cast<std::size_t>(t)])
        if (s.viewImage.pixelAt(static_cast<int>(item.x), static_cast<int>(item.z)) !=
            unseenColour.value())
          expected[static_cast<std::size_t>(t)].push_back(item);
    const long long before = s.objectCount();
    deleteUnseen(s);
    EXPECT_LT(s.objectCount(), before);
    EXPECT_GT(s.objectCount(), 0);
    for (int t = 0; t < kObjectTypes; ++t) {
      const ScData &list = s.objects[static_cast<std::size_t>(t)];
      EXPECT_EQ(std::vector<ScItem>(list.begin(), list.end()),
                expected[static_cast<std::size_t>(t)]);
    }
  }
}

// Undo after it is pinned with every other edit in the edit tests.
TEST_F(UnseenFixture, NoDirectionNoDeletion) {
  s.objects[2].append(10, 0, 10, 0, 0.0);
  s.objects[2].append(390, 0, 390, 0, 0.0);
  s.lookAt = s.camera;
  deleteUnseen(s);
  EXPECT_EQ(s.objects[2].count(), 2);
}

} // namespace
} // namespace hs
