#include "core/Document.h"

#include <new>

namespace hs {

Document::Document() : baseImage(400, 400) {
  baseImage.clear();
  for (ScData &list : objects)
    list.attachBudget(&budget);
  keep(*this);
}

void Document::setMapSize(int width, int height) {
  mapWidth = width;
  mapHeight = height;
  // The centre is halved in whole pixels (400 gives 199.0), as the export and
  // the readout have always counted it.
  mapCentreX = static_cast<float>((width - 1) / 2);  // NOLINT(bugprone-integer-division)
  mapCentreY = static_cast<float>((height - 1) / 2); // NOLINT(bugprone-integer-division)
}

long long Document::objectCount() const {
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

bool keep(Document &document) {
  if (!copyLists(document.objects, document.keptObjects))
    return false;
  document.keptCamera = document.camera;
  document.keptLookAt = document.lookAt;
  return true;
}

bool undo(Document &document) {
  std::array<ScData, kObjectTypes> copies;
  if (!copyLists(document.keptObjects, copies))
    return false;
  // The lists replaced move into the history rather than being copied there.
  document.history.takeLists(document.objects);
  for (std::size_t t = 0; t < copies.size(); ++t)
    document.objects[t].swap(copies[t]);
  document.camera = document.keptCamera;
  document.lookAt = document.keptLookAt;
  return true;
}

void killAll(Document &document) {
  document.history.takeLists(document.objects);
  for (ScData &list : document.objects)
    list.clear();
}

} // namespace hs
