#include "core/Scene.h"

#include <algorithm>

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
  mapCentreX = static_cast<float>((width - 1) / 2);
  mapCentreY = static_cast<float>((height - 1) / 2);
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

void keep(Scene &scene) {
  scene.keptCamera = scene.camera;
  scene.keptLookAt = scene.lookAt;
  for (int t = 0; t < kObjectTypes; ++t)
    scene.keptObjects[static_cast<std::size_t>(t)] = scene.objects[static_cast<std::size_t>(t)];
}

void undo(Scene &scene) {
  scene.camera = scene.keptCamera;
  scene.lookAt = scene.keptLookAt;
  for (int t = 0; t < kObjectTypes; ++t)
    scene.objects[static_cast<std::size_t>(t)] = scene.keptObjects[static_cast<std::size_t>(t)];
  if (scene.redrawHook)
    scene.redrawHook(scene);
}

void killAll(Scene &scene) {
  for (ScData &list : scene.objects)
    list.clear();
}

} // namespace hs
