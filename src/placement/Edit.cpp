#include "placement/Edit.h"

#include "core/Numbers.h"
#include "placement/Random.h"
#include "terrain/Height.h"

#include <algorithm>
#include <cmath>

namespace hs {

namespace {

const ScData *pickedList(const Scene &scene) {
  const double t = std::trunc(scene.pickType);
  if (!(t >= 0.0 && t < kObjectTypes))
    return nullptr;
  return &scene.document().objects()[static_cast<std::size_t>(t)];
}

// The picked object, or nullptr when the pick names none.
const ScItem *pickedObject(const Scene &scene) {
  const ScData *list = pickedList(scene);
  const int index = truncToInt(scene.pickIndex);
  return list != nullptr && index >= 0 && index < list->count() ? &(*list)[index] : nullptr;
}

int pickedIndex(const Scene &scene) { return truncToInt(scene.pickIndex); }

int pickedKind(const Scene &scene) { return truncToInt(scene.pickKind); }

} // namespace

int findNearest(Scene &scene, int paneX, int paneY) {
  // Measured on the screen, so the reach is 10 screen pixels at any zoom.
  const double mx = static_cast<double>(paneX) + scene.scrollX;
  const double mz = static_cast<double>(paneY) + scene.scrollY;
  double best = 10.0;
  int kind = PickNothing;
  int type = 0;
  int index = 0;
  auto distance = [&scene, mx, mz](const ScItem &item) {
    return std::fabs(scene.zoomedCoordOf(std::trunc(item.x)) - mx) +
           std::fabs(scene.zoomedCoordOf(std::trunc(item.z)) - mz);
  };
  // Truncation moves a position by less than a map pixel: 2^zoom screen
  // pixels zoomed in, at most one zoomed out.
  const double truncation = scene.zoom > 0 ? static_cast<double>(1 << scene.zoom) : 1.0;
  if (const double d = distance(scene.document().camera()); d < best) {
    best = d;
    kind = PickCamera;
  }
  if (const double d = distance(scene.document().lookAt()); d < best) {
    best = d;
    kind = PickLookAt;
  }
  for (int t = 0; t < kObjectTypes; ++t) {
    const ScData &list = scene.document().objects()[static_cast<std::size_t>(t)];
    const int count = list.count();
    for (int j = 0; j < count; ++j) {
      const ScItem &item = list[j];
      // Anything that far beyond the best distance on one axis cannot win.
      const double reach = best + truncation;
      if (std::fabs(scene.zoomedCoordOf(item.x) - mx) >= reach ||
          std::fabs(scene.zoomedCoordOf(item.z) - mz) >= reach)
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
    scene.pickType = type;
    scene.pickIndex = index;
  }
  return kind;
}

bool deletePicked(Scene &scene) {
  if (pickedKind(scene) != PickObject)
    return false;
  const bool removed = pickedObject(scene) != nullptr;
  if (removed)
    scene.document().remove(truncToInt(scene.pickType), {pickedIndex(scene)});
  scene.changed(Change::Objects);
  return removed;
}

void deleteInRect(Scene &scene, const ProgramValues &values, bool allTypes) {
  const Point a = scene.mapPointAt(scene.firstPoint.x, scene.firstPoint.y);
  const Point b = scene.mapPointAt(scene.lastPoint.x, scene.lastPoint.y);
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
    const ScData &list = scene.document().objects()[static_cast<std::size_t>(t)];
    doomed.clear();
    for (int j = 0; j < list.count(); ++j) {
      const ScItem &item = list[j];
      if (xlo < item.x && item.x < xhi && zlo < item.z && item.z < zhi)
        doomed.push_back(j);
    }
    scene.document().remove(t, doomed);
  }
}

void movePicked(Scene &scene, int paneX, int paneY) {
  const int kind = pickedKind(scene);
  if (kind == PickNothing)
    return;
  const Point m = scene.mapPointAt(paneX, paneY);
  const int mapX = m.x;
  const int mapZ = m.y;
  Document &document = scene.document();
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
  } else if (const ScItem *item = pickedObject(scene)) {
    document.change(truncToInt(scene.pickType), pickedIndex(scene), placed(*item));
  }
  scene.changed(kind == PickObject ? Change::Objects : Change::Camera);
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

void editAt(Scene &scene, const ProgramValues &values, int paneX, int paneY) {
  scene.pickKind = findNearest(scene, paneX, paneY);
  const int kind = pickedKind(scene);
  if (kind == PickNothing)
    return;
  if (kind == PickCamera) {
    scene.workItem = scene.document().camera();
  } else if (kind == PickLookAt) {
    scene.workItem = scene.document().lookAt();
  } else if (const ScItem *item = pickedObject(scene)) {
    scene.workItem = *item;
  }
  if (kind == PickObject)
    scene.services().showObjectEditDialog(scene.workItem);
  else
    scene.services().endCameraPick(kind == PickCamera ? 0 : 1);
  applyHeights(scene, values);
}

void applyHeights(Scene &scene, const ProgramValues &values) {
  switch (pickedKind(scene)) {
  case PickCamera: {
    ScItem camera = scene.document().camera();
    camera.heightMode = values.cameraHeightMode;
    camera.height = values.cameraHeight;
    scene.document().setCamera(camera);
    break;
  }
  case PickLookAt: {
    ScItem lookAt = scene.document().lookAt();
    lookAt.heightMode = values.placeHeightMode;
    lookAt.height = values.placeHeight;
    scene.document().setLookAt(lookAt);
    break;
  }
  case PickObject:
    scene.workItem.heightMode = values.placeHeightMode;
    scene.workItem.height = values.placeHeight;
    if (const ScItem *before = pickedObject(scene); before && !(*before == scene.workItem))
      scene.document().change(truncToInt(scene.pickType), pickedIndex(scene), scene.workItem);
    break;
  default:
    break;
  }
}

} // namespace hs
