#include "placement/Edit.h"

#include "core/Numbers.h"
#include "placement/Random.h"
#include "terrain/Height.h"

#include <algorithm>
#include <cmath>

namespace hs {

namespace {

const ScData *pickedList(const Document &document, const Gesture &pick) {
  const double t = std::trunc(pick.pickType);
  if (!(t >= 0.0 && t < kObjectTypes))
    return nullptr;
  return &document.objects()[static_cast<std::size_t>(t)];
}

// The picked object, or nullptr when the pick names none.
const ScItem *pickedObject(const Document &document, const Gesture &pick) {
  const ScData *list = pickedList(document, pick);
  const int index = truncToInt(pick.pickIndex);
  return list != nullptr && index >= 0 && index < list->count() ? &(*list)[index] : nullptr;
}

int pickedIndex(const Gesture &pick) { return truncToInt(pick.pickIndex); }

int pickedKind(const Gesture &pick) { return truncToInt(pick.pickKind); }

} // namespace

int findNearest(const Document &document, Gesture &pick, MapPointer at) {
  // Measured on the screen, so the reach is 10 screen pixels at any zoom.
  const int zoom = at.zoom;
  const double mx = std::ldexp(at.x, zoom);
  const double mz = std::ldexp(at.z, zoom);
  double best = 10.0;
  int kind = PickNothing;
  int type = 0;
  int index = 0;
  auto distance = [zoom, mx, mz](const ScItem &item) {
    return std::fabs(zoomedCoord(std::trunc(item.x), zoom) - mx) +
           std::fabs(zoomedCoord(std::trunc(item.z), zoom) - mz);
  };
  // Truncation moves a position by less than a map pixel: 2^zoom screen
  // pixels zoomed in, at most one zoomed out.
  const double truncation = zoom > 0 ? static_cast<double>(1 << zoom) : 1.0;
  if (const double d = distance(document.camera()); d < best) {
    best = d;
    kind = PickCamera;
  }
  if (const double d = distance(document.lookAt()); d < best) {
    best = d;
    kind = PickLookAt;
  }
  for (int t = 0; t < kObjectTypes; ++t) {
    const ScData &list = document.objects()[static_cast<std::size_t>(t)];
    const int count = list.count();
    for (int j = 0; j < count; ++j) {
      const ScItem &item = list[j];
      // Anything that far beyond the best distance on one axis cannot win.
      const double reach = best + truncation;
      if (std::fabs(zoomedCoord(item.x, zoom) - mx) >= reach ||
          std::fabs(zoomedCoord(item.z, zoom) - mz) >= reach)
        continue;
      const double d = distance(item);
      if (d < best) {
        best = d;
        kind = PickObject;
        type = t;
        index = j;
      }
    }
  }
  if (kind == PickObject) {
    pick.pickType = type;
    pick.pickIndex = index;
  }
  return kind;
}

bool deletePicked(Document &document, const Gesture &pick) {
  if (pickedKind(pick) != PickObject)
    return false;
  const bool removed = pickedObject(document, pick) != nullptr;
  if (removed)
    document.remove(truncToInt(pick.pickType), {pickedIndex(pick)});
  return removed;
}

void deleteInRect(Document &document, const ProgramValues &values, Point a, Point b,
                  bool allTypes) {
  const double ax = a.x;
  const double az = a.y;
  const double bx = b.x;
  const double bz = b.y;
  const double xlo = std::min(ax, bx);
  const double xhi = std::max(ax, bx);
  const double zlo = std::min(az, bz);
  const double zhi = std::max(az, bz);
  const int first = allTypes ? 0 : currentTypeIndex(values);
  const int last = allTypes ? kObjectTypes - 1 : first;
  std::vector<int> doomed;
  for (int t = first; t <= last; ++t) {
    const ScData &list = document.objects()[static_cast<std::size_t>(t)];
    doomed.clear();
    for (int j = 0; j < list.count(); ++j) {
      const ScItem &item = list[j];
      if (xlo < item.x && item.x < xhi && zlo < item.z && item.z < zhi)
        doomed.push_back(j);
    }
    document.remove(t, doomed);
  }
}

void movePicked(Document &document, const Gesture &pick, Point to) {
  const int kind = pickedKind(pick);
  if (kind == PickNothing)
    return;
  const int mapX = to.x;
  const int mapZ = to.y;
  const double h = std::max(heightAt(document, mapX, mapZ), 0);
  auto placed = [&](ScItem item) {
    item.x = mapX;
    item.y = h;
    item.z = mapZ;
    return item;
  };
  if (kind == PickCamera) {
    document.setCamera(placed(document.camera()));
  } else if (kind == PickLookAt) {
    document.setLookAt(placed(document.lookAt()));
  } else if (const ScItem *item = pickedObject(document, pick)) {
    document.change(truncToInt(pick.pickType), pickedIndex(pick), placed(*item));
  }
}

void moveAll(Document &document, int mapX, int mapZ) {
  const double ox = static_cast<double>(mapX) - static_cast<double>(document.mapCentreX());
  const double oz = static_cast<double>(mapZ) - static_cast<double>(document.mapCentreY());
  const double w = document.mapWidth();
  const double hgt = document.mapHeight();
  const Document &d = document;
  document.changeEvery(
      [&](ScItem &item) {
        double nx = item.x + ox;
        if (nx >= w)
          nx -= w;
        if (nx < 0)
          nx += w;
        double nz = item.z + oz;
        if (nz >= hgt)
          nz -= hgt;
        if (nz < 0)
          nz += hgt;
        item.x = nx;
        item.z = nz;
        item.y = heightAtItem(d, nx, nz);
      },
      false);
}

void editAt(Scene &scene, const ProgramValues &values, MapPointer at) {
  Document &document = scene.document();
  scene.pickKind = findNearest(document, scene, at);
  const int kind = pickedKind(scene);
  if (kind == PickNothing)
    return;
  if (kind == PickCamera) {
    scene.workItem = document.camera();
  } else if (kind == PickLookAt) {
    scene.workItem = document.lookAt();
  } else if (const ScItem *item = pickedObject(document, scene)) {
    scene.workItem = *item;
  }
  if (kind == PickObject)
    scene.services().showObjectEditDialog(scene.workItem, truncToInt(scene.pickType),
                                          pickedIndex(scene));
  else
    scene.services().endCameraPick(kind == PickCamera ? 0 : 1);
  applyHeights(document, scene, values);
}

void applyHeights(Document &document, Gesture &pick, const ProgramValues &values) {
  switch (pickedKind(pick)) {
  case PickCamera: {
    ScItem camera = document.camera();
    camera.heightMode = values.cameraHeightMode;
    camera.height = values.cameraHeight;
    document.setCamera(camera);
    break;
  }
  case PickLookAt: {
    ScItem lookAt = document.lookAt();
    lookAt.heightMode = values.placeHeightMode;
    lookAt.height = values.placeHeight;
    document.setLookAt(lookAt);
    break;
  }
  case PickObject:
    pick.workItem.heightMode = values.placeHeightMode;
    pick.workItem.height = values.placeHeight;
    if (const ScItem *before = pickedObject(document, pick); before && !(*before == pick.workItem))
      document.change(truncToInt(pick.pickType), pickedIndex(pick), pick.workItem);
    break;
  default:
    break;
  }
}

} // namespace hs
