// The tools that place objects: one at a time, and the three fills.
#include "core/Numbers.h"
#include "gui/image/MouseButtons.h"
#include "placement/Edit.h"
#include "placement/Fill.h"
#include "placement/Scatter.h"
#include "placement/Tool.h"

#include <cstdlib>

namespace hs {

namespace {

// "One": the left button places an object of currentType, the right one
// deletes the object nearest to where it was pressed.
class SingleTool final : public Tool {
public:
  void press(Scene &scene, ProgramValues & /*values*/, const MouseSpot &at) const override {
    if (at.button == kRightButton)
      scene.pickKind = findNearest(scene.document(), scene, at.pointer);
  }
  void release(Scene &scene, ProgramValues &values, const MouseSpot &at) const override {
    if (at.button == kRightButton)
      deletePicked(scene.document(), scene);
    else if (at.height >= 0)
      placeSingle(scene.document(), values, at.map, at.height);
  }
  const char *stepNameFor(int button) const override {
    return button == kRightButton ? "Delete Object" : nullptr;
  }
};

// "Lin", "Box" and "Cir": a drag shows the figure, the release fills it.
class FillTool : public Tool {
public:
  bool countsEveryPress() const override { return true; }
  void release(Scene &scene, ProgramValues &values, const MouseSpot &at) const override {
    if (at.pane == scene.firstPoint || at.height < 0)
      return;
    // The figure ends where the button came up, even without a drag step
    // there.
    scene.lastPoint = at.pane;
    scene.lastMap = at.map;
    const FillResult done = fill(scene.document(), values, scene.firstMap, at.map);
    if (done.outOfMemory) {
      scene.services().notice("Notice", kFillMemoryMessage);
      return;
    }
    // The map shows what was placed while a notice stands.
    scene.document().publish();
    // A fill cut short by the object limit says so, or the missing objects
    // would look like a fault of the tool.
    if (done.stopped && scene.document().budget().used >= scene.document().budget().limit)
      scene.services().notice("Notice", fillLimitMessage(done.placed).c_str());
  }

private:
  virtual FillResult fill(Document &document, ProgramValues &values, Point from,
                          Point to) const = 0;
};

class LineFillTool final : public FillTool {
public:
  DragFigure figure(const Scene & /*scene*/, const ProgramValues & /*values*/, Point first,
                    Point p) const override {
    return {{RubberFigure::Line, first, p}};
  }

private:
  FillResult fill(Document &document, ProgramValues &values, Point from, Point to) const override {
    return fillLine(document, values, from, to);
  }
};

class BoxFillTool final : public FillTool {
public:
  DragFigure figure(const Scene & /*scene*/, const ProgramValues & /*values*/, Point first,
                    Point p) const override {
    return {{RubberFigure::Rect, first, p}};
  }

private:
  FillResult fill(Document &document, ProgramValues &values, Point from, Point to) const override {
    return fillBox(document, values, from, to);
  }
};

class CircleFillTool final : public FillTool {
public:
  // The ellipse's box runs from the pointer to its mirror image through
  // first, the centre.
  DragFigure figure(const Scene & /*scene*/, const ProgramValues & /*values*/, Point first,
                    Point p) const override {
    return {{RubberFigure::Ellipse,
             p,
             {clampToInt(2LL * first.x - p.x), clampToInt(2LL * first.y - p.y)}}};
  }

private:
  FillResult fill(Document &document, ProgramValues &values, Point from, Point to) const override {
    return fillCircle(document, values, from, to);
  }
};

// "Scatter": a drag shows a box or an ellipse, as the Scatter dialog chose,
// and the release scatters objects in it by the dialog's rules.
class ScatterTool final : public Tool {
public:
  bool countsEveryPress() const override { return true; }
  DragFigure figure(const Scene &scene, const ProgramValues &values, Point first,
                    Point p) const override {
    if (values.scatter.shape == ScatterShape::Ellipse)
      return theTool<CircleFillTool>().figure(scene, values, first, p);
    return {{RubberFigure::Rect, first, p}};
  }
  void release(Scene &scene, ProgramValues &values, const MouseSpot &at) const override {
    if (at.pane == scene.firstPoint)
      return;
    scene.lastPoint = at.pane;
    scene.lastMap = at.map;
    const Point a = scene.firstMap;
    const Point b = at.map;
    const ScatterRegion region =
        values.scatter.shape == ScatterShape::Ellipse
            ? ScatterRegion::ellipse(a.x, a.y, std::abs(b.x - a.x), std::abs(b.y - a.y))
            : ScatterRegion::box(a.x, a.y, b.x, b.y);
    scatterOnScene(scene, values, values.scatter, region);
  }
};

// "Area": each click adds a corner; a click on the last corner again (the
// second click of a double-click) closes the area, which keeps every scatter
// out. Escape drops the corners (keyIn).
class AreaTool final : public Tool {
public:
  DragFigure figure(const Scene &scene, const ProgramValues & /*values*/, Point /*first*/,
                    Point p) const override {
    return {{RubberFigure::Path, p, p, scene.areaDraftPane}};
  }
  void release(Scene &scene, ProgramValues & /*values*/, const MouseSpot &at) const override {
    std::vector<Point> &pane = scene.areaDraftPane;
    std::vector<AreaCorner> &draft = scene.areaDraft;
    if (!pane.empty() && std::abs(pane.back().x - at.pane.x) <= 2 &&
        std::abs(pane.back().y - at.pane.y) <= 2) {
      if (draft.size() >= 3) {
        std::vector<Area> areas = scene.document().areas();
        areas.push_back({draft});
        scene.document().setAreas(std::move(areas));
      }
      draft.clear();
      pane.clear();
      return;
    }
    // The place data file keeps an area on one line, so an area has room for this many.
    constexpr std::size_t kMostCorners = 250;
    if (draft.size() >= kMostCorners)
      return;
    draft.push_back({static_cast<double>(at.map.x), static_cast<double>(at.map.y)});
    pane.push_back(at.pane);
    scene.showFigure({RubberFigure::Path, at.pane, at.pane, pane});
  }
};

} // namespace

const Tool &areaTool() { return theTool<AreaTool>(); }
const Tool &singleTool() { return theTool<SingleTool>(); }
const Tool &lineFillTool() { return theTool<LineFillTool>(); }
const Tool &boxFillTool() { return theTool<BoxFillTool>(); }
const Tool &circleFillTool() { return theTool<CircleFillTool>(); }
const Tool &scatterTool() { return theTool<ScatterTool>(); }

} // namespace hs
