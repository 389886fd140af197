// The objects as the 3D view keeps them: one instance per record, where the
// include puts it, kept list by list in step with the document's change
// notices (one placement touches one instance), and the choice of which to
// draw as shapes, which as points and which not at all from where the eye
// stands. No OpenGL here.
#pragma once

#include "core/Document.h"
#include "view3d/Geometry.h"

#include <QMatrix4x4>

#include <array>
#include <cstdint>
#include <vector>

namespace hs::view3d {

// Where an object stands (the view's frame), its turn in radians and its
// shape's scale (the size times a hundredth of the map's width).
struct Instance {
  float x, y, z, turn, scale;
};
Instance instanceOf(const Document &document, const ScItem &item, float cameraY);

class ObjectInstances {
public:
  // Follows one change; true when it touched any instance (or will).
  bool hear(const Document &document, const DocumentChange &change);
  // Every list is read again.
  void restart();
  // Reads up to maxItems of the lists still to read; true once all are in.
  bool update(const Document &document, long long maxItems);
  bool complete() const;
  const std::vector<Instance> &list(int type) const {
    return lists_[static_cast<std::size_t>(type)];
  }

private:
  // A change to one list, whole, that is read: its instances follow.
  void applyToList(const Document &document, const DocumentChange &change);
  // Reads again the records of a height mode (the camera or the water moved).
  bool refresh(const Document &document, std::int32_t heightMode);

  std::array<std::vector<Instance>, kObjectTypes> lists_;
  // Where reading a list goes on; -1 when it is whole.
  std::array<std::int32_t, kObjectTypes> readFrom_{};
  float cameraY_ = 0.0f;
};

// How many objects a frame may draw: the nearest as shapes, as many as cover
// no more than area screen pixels (the time a frame takes grows with both),
// the next as points (thinned evenly when there are more), the rest not at all.
struct ObjectBudget {
  long long shapes = 0;
  long long drawn = 0;
  double area = 1e18;
};

struct ObjectDraw {
  std::array<std::vector<Instance>, kObjectTypes> shapes;
  std::vector<Vertex> points; // at each shape's middle, in its type's colour
  long long count() const;
};

// Objects out of view, or smaller than half a pixel, are left out; those
// smaller than two pixels are points. pixelsPerUnit: the screen pixels a
// unit spans at distance 1.
void chooseObjects(const ObjectInstances &objects, const QMatrix4x4 &viewProjection,
                   double pixelsPerUnit, const ObjectBudget &budget, ObjectDraw &out);

} // namespace hs::view3d
