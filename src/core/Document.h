#pragma once

#include "core/History.h"
#include "core/Icons.h"
#include "core/LRMemoryDC.h"
#include "core/ScData.h"
#include "core/ScItem.h"

#include <array>
#include <cstdint>

namespace hs {

inline constexpr ScItem kDefaultCamera{200.0, 0.0, 300.0, AboveWater, 1.0};
inline constexpr ScItem kDefaultLookAt{200.0, 0.0, 100.0, AboveGround, 0.0};

// What the user works on and the place data file holds: the height field with
// its geometry and type, the camera, the look-at point and the sixteen object
// lists, with the copies " Keep" took.
struct Document {
  Document();
  Document(const Document &) = delete;
  Document &operator=(const Document &) = delete;

  LRMemoryDC baseImage;
  int mapWidth = 400;
  int mapHeight = 400;
  int prevMapWidth = 400;
  int prevMapHeight = 400;
  float mapCentreX = 199.0f;
  float mapCentreY = 199.0f;
  int hfType = 0; // 0 Targa, 1 PPM, 2 PNG, 3 PGM (a HeightFieldType)
  // Counts the changes to baseImage's pixels (a new map, a new palette), so
  // that pictures made from it know when to be made again.
  std::uint64_t mapVersion = 0;
  ScItem camera = kDefaultCamera;
  ScItem lookAt = kDefaultLookAt;
  ScItem keptCamera = kDefaultCamera;
  ScItem keptLookAt = kDefaultLookAt;
  ItemBudget budget;
  std::array<ScData, kObjectTypes> objects;
  std::array<ScData, kObjectTypes> keptObjects;
  // The undo history of the lists, the settings the file holds and the map;
  // the kept copies stay outside it.
  History history;

  // Sets mapWidth, mapHeight and the centre by integer halving.
  void setMapSize(int width, int height);
  // Total objects over all sixteen lists.
  long long objectCount() const;
};

// Copies the camera, the look-at point and every list into the kept copies.
// All or nothing: when memory runs out the kept copies stay as they were and
// false is returned.
bool keep(Document &document);
// Restores the kept copies (which stay as they are). All or nothing as keep:
// false, with the document as it was, when memory runs out. An open history
// step gets the lists that were replaced.
bool undo(Document &document);
// Empties every object list; kept copies, camera and look-at point stay. An
// open history step gets the lists that were emptied.
void killAll(Document &document);

} // namespace hs
