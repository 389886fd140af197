// What the 3D view draws of a document, kept in step with its change notices:
// the terrain's samples, the objects' instances, the water and the markers.
// Work a change asks for is done a slice at a time (update), so a new map or
// a million new objects never hold the window up; until it is done the view
// draws what is in.
#pragma once

#include "view3d/Objects.h"
#include "view3d/Terrain.h"

#include <array>
#include <cstdint>

namespace hs::view3d {

enum class Part { Terrain, Water, Objects, Markers };
inline constexpr int kParts = 4;

class SceneModel {
public:
  explicit SceneModel(const Document &document);

  const Document &document() const { return document_; }
  // Follows one change of the document.
  void hear(const DocumentChange &change);
  // The ground in a picture's colours (given to update) or by height.
  void showMapColours(bool on);
  bool mapColours() const { return mapColours_; }
  // The picture of the map changed though the document did not.
  void mapShownAgain();

  // Does up to work samples and records of what is left to do; true once
  // everything is in.
  bool update(long long work, const LRMemoryDC *picture);
  bool pending() const;

  // How often each part was begun again: one change touches its parts only.
  int builds(Part part) const { return builds_[static_cast<std::size_t>(part)]; }

  const TerrainSamples &terrain() const { return terrain_; }
  // Changes each time the terrain begins again (unique among all models), so
  // the renderer knows to upload it afresh.
  std::uint64_t terrainGeneration() const { return terrainGeneration_; }
  const ObjectInstances &objects() const { return objects_; }
  const Mesh &water() const { return water_; }
  const Mesh &markers() const { return markers_; }
  // Counts the changes to water() and markers().
  std::uint64_t meshesVersion() const { return meshesVersion_; }

private:
  void touch(Part part) { ++builds_[static_cast<std::size_t>(part)]; }
  void restartTerrain();

  const Document &document_;
  TerrainSamples terrain_;
  std::uint64_t terrainGeneration_ = 0;
  bool terrainStarted_ = false;
  ObjectInstances objects_;
  Mesh water_, markers_;
  bool waterStale_ = true, markersStale_ = true;
  std::uint64_t meshesVersion_ = 0;
  bool mapColours_ = false;
  std::array<int, kParts> builds_{};
};

} // namespace hs::view3d
