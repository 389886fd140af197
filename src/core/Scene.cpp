#include "core/Scene.h"

#include <algorithm>
#include <new>

namespace hs {

Scene::Scene(WindowValues *ownerWindow)
    : viewImage(400, 400), baseImage(400, 400), owner(ownerWindow) {
  viewImage.clear();
  baseImage.clear();
  for (ScData &list : objects)
    list.attachBudget(&budget);
  markers = builtinMarkers();
  keep(*this);
}

void Scene::setMapSize(int width, int height) {
  mapWidth = width;
  mapHeight = height;
  // The centre is halved in whole pixels (400 gives 199.0), as the export and
  // the readout have always counted it.
  mapCentreX = static_cast<float>((width - 1) / 2);  // NOLINT(bugprone-integer-division)
  mapCentreY = static_cast<float>((height - 1) / 2); // NOLINT(bugprone-integer-division)
  // A smaller map loaded while scrolled would otherwise be shown, and redrawn,
  // from past its end: a blank pane until the next scroll.
  scrollX = std::clamp(scrollX, 0, std::max(width - viewWidth, 0));
  scrollY = std::clamp(scrollY, 0, std::max(height - viewHeight, 0));
}

long long Scene::objectCount() const {
  long long n = 0;
  for (const ScData &list : objects)
    n += list.count();
  return n;
}

namespace {

// Copies every list of from into to, or nothing when memory runs out.
bool copyLists(const std::array<ScData, kObjectTypes> &from, std::array<ScData, kObjectTypes> &to) {
  try {
    std::array<ScData, kObjectTypes> copies;
    for (std::size_t t = 0; t < copies.size(); ++t)
      copies[t] = from[t];
    // Nothing below can fail: the lists change only once every copy is made.
    for (std::size_t t = 0; t < copies.size(); ++t)
      to[t].swap(copies[t]);
  } catch (const std::bad_alloc &) {
    return false;
  }
  return true;
}

} // namespace

bool keep(Scene &scene) {
  if (!copyLists(scene.objects, scene.keptObjects))
    return false;
  scene.keptCamera = scene.camera;
  scene.keptLookAt = scene.lookAt;
  return true;
}

bool undo(Scene &scene) {
  if (!copyLists(scene.keptObjects, scene.objects))
    return false;
  scene.camera = scene.keptCamera;
  scene.lookAt = scene.keptLookAt;
  if (scene.redrawHook)
    scene.redrawHook(scene);
  return true;
}

void killAll(Scene &scene) {
  for (ScData &list : scene.objects)
    list.clear();
}

} // namespace hs
