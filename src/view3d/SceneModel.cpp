#include "view3d/SceneModel.h"

#include <atomic>

namespace hs::view3d {

SceneModel::SceneModel(const Document &document) : document_(document) {
  builds_.fill(1); // everything is read at first
  objects_.restart();
}

void SceneModel::restartTerrain() {
  terrainStarted_ = false;
  touch(Part::Terrain);
}

void SceneModel::hear(const DocumentChange &change) {
  switch (change.kind) {
  case DocumentChange::Appended:
  case DocumentChange::Removed:
  case DocumentChange::Inserted:
  case DocumentChange::Changed:
  case DocumentChange::AllObjects:
    objects_.hear(document_, change);
    return touch(Part::Objects);
  case DocumentChange::Camera:
  case DocumentChange::LookAt:
    markersStale_ = true;
    touch(Part::Markers);
    if (objects_.hear(document_, change)) // objects above the camera
      touch(Part::Objects);
    return;
  case DocumentChange::Water:
    waterStale_ = true;
    touch(Part::Water);
    if (objects_.hear(document_, change)) // objects above the water
      touch(Part::Objects);
    return;
  case DocumentChange::Smoothing:
    return;                   // only the shading, which reads it at each frame
  case DocumentChange::Scale: // the terrain's samples stay; it is placed anew at each frame
    break;
  default: // the map itself
    restartTerrain();
    break;
  }
  waterStale_ = markersStale_ = true;
  touch(Part::Water);
  touch(Part::Markers);
  objects_.restart();
  touch(Part::Objects);
}

void SceneModel::showMapColours(bool on) {
  if (on != mapColours_) {
    mapColours_ = on;
    restartTerrain();
  }
}

void SceneModel::mapShownAgain() {
  if (mapColours_)
    restartTerrain();
}

bool SceneModel::pending() const {
  return !terrainStarted_ || !terrain_.complete() || !objects_.complete() || waterStale_ ||
         markersStale_;
}

bool SceneModel::update(long long work, const LRMemoryDC *picture) {
  if (waterStale_ || markersStale_) {
    if (waterStale_)
      water_ = waterMesh(document_);
    if (markersStale_)
      markers_ = markersMesh(document_);
    waterStale_ = markersStale_ = false;
    ++meshesVersion_;
  }
  if (!terrainStarted_) {
    startTerrain(terrain_, document_, mapColours_);
    terrainStarted_ = true;
    // Unique among all models, so a renderer shown another model uploads it.
    static std::atomic<std::uint64_t> generations{0};
    terrainGeneration_ = ++generations;
  }
  if (!terrain_.complete()) {
    const int before = terrain_.rowsRead;
    readTerrain(terrain_, document_, picture, work);
    work -= static_cast<long long>(terrain_.width) * (terrain_.rowsRead - before);
  }
  if (work > 0)
    objects_.update(document_, work);
  return !pending();
}

} // namespace hs::view3d
