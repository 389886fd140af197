#include "placement/Unseen.h"
#include "placement/Commands.h"

#include "Fakes.h"

namespace hs {
namespace {

struct UnseenFixture : PlacementFixture {
  void SetUp() override {
    PlacementFixture::SetUp();
    s.document().setCamera({200, 0, 200, AboveWater, 1.0});  // the map's middle
    s.document().setLookAt({200, 0, 100, AboveGround, 0.0}); // looking toward row 0
  }
  Items all() const {
    Items out;
    for (int t = 0; t < kObjectTypes; ++t)
      for (const ScItem &item : items(t))
        out.push_back(item);
    return out;
  }
};

TEST_F(UnseenFixture, DeletesBehindAndBesideTheCameraKeepsTheWedge) {
  Document &d = s.document();
  d.append(4, 200, 0, 300, 0, 0.0); // behind the camera
  d.append(4, 200, 0, 50, 0, 0.0);  // straight ahead
  d.append(4, -5, 0, 300, 0, 0.0);  // off the map behind the camera
  d.append(4, 399, 0, 399, 0, 0.0); // the bottom-right corner pixel
  s.document().append(0, 205, 0, 60, 0, 0.0);
  // A map pixel that happens to be the shading grey, inside the view.
  test::paintMap(d, [](int x, int y) {
    return x == 205 && y == 60 ? unseenColour.value() : vColor(0, 0, (x + y) & 255).value();
  });
  s.showView = 0;
  commandDelUnseen(s, v);
  // Redrawn once, with the view still off.
  EXPECT_EQ(std::tuple(items(4), s.document().objects()[0].count(), s.showView, pane.showCount),
            std::tuple(Items{{200, 0, 50, 0, 0.0}, {-5, 0, 300, 0, 0.0}}, 1, 0, 1));
}

// Exactly the objects whose pixel the shading turns grey go; the rest keep their order.
TEST_F(UnseenFixture, MaskMatchesTheDrawnShadingPixelForPixel) {
  const ScItem cameras[][2] = {
      {{200, 0, 200, 0, 0}, {400, 0, 0, 0, 0}},      // toward the top-right corner
      {{200, 0, 300, 0, 0}, {200, 0, 100, 0, 0}},    // both rays through the top
      {{13.7, 0, 380, 0, 0}, {390, 0, 377, 0, 0}},   // along the bottom edge
      {{350, 0, 40.2, 0, 0}, {120, 0, 260.9, 0, 0}}, // toward the bottom-left
  };
  for (const auto &setup : cameras) {
    s.document().killAll();
    s.document().setCamera(setup[0]);
    s.document().setLookAt(setup[1]);
    for (int z = 0; z < 400; z += 3)
      for (int x = z % 5; x < 400; x += 5)
        s.document().append(static_cast<std::size_t>((x + z) % 16), x + 0.75, 0, z + 0.25, 0, 0.0);
    s.viewImage.copyFrom(s.document().baseImage());
    drawView(s, 36.0);
    Items expected;
    for (const ScItem &i : all())
      if (s.viewImage.pixelAt(int(i.x), int(i.z)) != unseenColour.value())
        expected.push_back(i);
    const long long before = s.document().objectCount();
    deleteUnseen(s);
    EXPECT_EQ(all(), expected);
    EXPECT_EQ(std::pair(s.document().objectCount() < before, s.document().objectCount() > 0),
              std::pair(true, true));
  }
}

} // namespace
} // namespace hs
