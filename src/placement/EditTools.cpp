// The tools that change what is placed: delete in a box, edit, move one,
// move all, and "Select & Move", which does nothing yet.
#include "core/Numbers.h"
#include "gui/image/MouseButtons.h"
#include "placement/Edit.h"
#include "placement/Random.h"
#include "placement/Tool.h"

namespace hs {

namespace {

// A drag shows a box; the left button deletes every type inside it, the
// right one the current type only.
class DeleteTool final : public Tool {
public:
  DragFigure figure(const Scene & /*scene*/, const ProgramValues & /*values*/, Point first,
                    Point p) const override {
    return {{RubberFigure::Rect, first, p}};
  }
  void release(Scene &scene, ProgramValues &values, const MouseSpot &at) const override {
    if (at.pane == scene.firstPoint)
      return;
    scene.lastPoint = at.pane;
    scene.lastMap = at.map;
    deleteInRect(scene.document(), values, scene.firstMap, at.map, at.button != kRightButton);
  }
};

class EditTool final : public Tool {
public:
  void release(Scene &scene, ProgramValues &values, const MouseSpot &at) const override {
    editAt(scene, values, at.pointer);
  }
};

// The press picks the nearest item, the drag shows it under the pointer and
// the release puts it there.
class MoveTool final : public Tool {
public:
  void press(Scene &scene, ProgramValues & /*values*/, const MouseSpot &at) const override {
    scene.pickKind = findNearest(scene.document(), scene, at.pointer);
  }
  // The picked item's image under the pointer.
  DragFigure figure(const Scene &scene, const ProgramValues & /*values*/, Point /*first*/,
                    Point p) const override {
    return {{RubberFigure::None, p, {p.x - 4, p.y - 4}}, pickedImage(scene)};
  }
  void release(Scene &scene, ProgramValues & /*values*/, const MouseSpot &at) const override {
    movePicked(scene.document(), scene, at.map);
  }

private:
  static const vIcon *pickedImage(const Scene &scene) {
    switch (truncToInt(scene.pickKind)) {
    case PickCamera:
      return &cameraIcon();
    case PickLookAt:
      return &lookIcon();
    case PickObject: {
      const int type = truncToInt(scene.pickType);
      if (type < 0 || type >= kObjectTypes)
        return nullptr;
      return &scene.markers[static_cast<std::size_t>(type)];
    }
    default:
      return nullptr;
    }
  }
};

class MoveAllTool final : public Tool {
public:
  void release(Scene &scene, ProgramValues & /*values*/, const MouseSpot &at) const override {
    moveAll(scene.document(), at.map.x, at.map.y);
  }
};

class SelectMoveTool final : public Tool {
public:
  void release(Scene & /*scene*/, ProgramValues & /*values*/,
               const MouseSpot & /*at*/) const override {}
};

} // namespace

const Tool &deleteTool() { return theTool<DeleteTool>(); }
const Tool &editTool() { return theTool<EditTool>(); }
const Tool &moveTool() { return theTool<MoveTool>(); }
const Tool &moveAllTool() { return theTool<MoveAllTool>(); }
const Tool &selectMoveTool() { return theTool<SelectMoveTool>(); }

} // namespace hs
