#pragma once

#include "placement/Edit.h"
#include "placement/Mouse.h"
#include "support/Documents.h"
#include "support/FakeServices.h"
#include "support/FakeSurface.h"
#include "view/Redraw.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace hs {

using Calls = std::vector<std::string>;
using Figures = std::set<std::string>;
using Xs = std::vector<double>;
using Items = std::vector<ScItem>;

inline void PrintTo(const ScItem &i, std::ostream *os) {
  *os << "{" << i.x << ", " << i.y << ", " << i.z << ", " << i.heightMode << ", " << i.height;
  if (!i.hasDefaultTurnAndSize())
    *os << ", turn " << i.turn << ", size " << i.size;
  *os << "}";
}

// A 400 x 400 Targa-style map whose height at (x, y) is (x + y) & 255.
inline void paintRampMap(Scene &scene) {
  test::paintMap(scene.document(),
                 [](int x, int y) { return vColor(0, 0, (x + y) & 255).value(); });
  scene.viewImage.copyFrom(scene.document().baseImage());
}

// Pressed at the first point, dragged through the rest, released at the last.
inline void gesture(Scene &s, ProgramValues &v, std::initializer_list<Point> path,
                    int button = kLeftButton) {
  mousePress(s, v, path.begin()->x, path.begin()->y, button);
  for (const Point *p = path.begin() + 1; p != path.end(); ++p)
    mouseDrag(s, v, p->x, p->y, button);
  mouseRelease(s, v, (path.end() - 1)->x, (path.end() - 1)->y, button);
}

// The ramp map, a recording window and pane, the camera at (50, 50) looking at (300, 300).
struct PlacementFixture : ::testing::Test {
  WindowValues owner;
  Scene s{nullptr, &owner};
  ProgramValues v;
  FakeServices window;
  test::FakeSurface pane;
  void SetUp() override {
    paintRampMap(s);
    s.attachServices(&window);
    s.attachSurface(&pane);
    installRedraw(s, v);
    s.document().setCamera({50, 0, 50, AboveWater, 1.0});
    s.document().setLookAt({300, 0, 300, AboveGround, 0.0});
    s.document().history().clear();
    pane.showCount = 0;
    pane.calls.clear();
  }
  void add(int type, double x, double z) {
    s.document().append(static_cast<std::size_t>(type), x, 7, z, AboveGround, 0.0);
  }
  // A gesture's ends, as the mouse handlers leave them.
  void drag(int x0, int y0, int x1, int y1) {
    std::tie(s.firstPoint, s.lastPoint) = std::pair(Point{x0, y0}, Point{x1, y1});
    std::tie(s.firstMap, s.lastMap) = std::pair(s.mapPointAt(x0, y0), s.mapPointAt(x1, y1));
  }
  int pick(int x, int y) { return findNearest(s.document(), s, s.pointerAt(x, y)); }
  void deleteIn(bool allTypes) { deleteInRect(s.document(), v, s.firstMap, s.lastMap, allTypes); }
  // One type's objects, or every type's in order.
  Items items(int type = -1) const {
    Items out;
    for (int t = 0; t < kObjectTypes; ++t)
      if (type < 0 || t == type)
        for (const ScItem &i : s.document().objects()[static_cast<std::size_t>(t)])
          out.push_back(i);
    return out;
  }
  Xs xs(int type) const {
    Xs out;
    for (const ScItem &item : items(type))
      out.push_back(item.x);
    return out;
  }
};

} // namespace hs
