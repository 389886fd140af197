#include "terrain/Height.h"

#include "core/Numbers.h"

namespace hs {

int heightAtItem(const Document &document, double x, double z) {
  return heightAt(document, truncToInt(x), truncToInt(z));
}

int maxHeight(const Document &document) { return document.hfType != 0 ? 65535 : 255; }

PovPoint toPov(const Document &document, const ProgramValues &values, const ScItem &item,
               float cameraY) {
  const double maxH = maxHeight(document);
  const double scaleX = values.scaleX;
  const double scaleY = values.scaleY;
  const double scaleZ = values.scaleZ;
  PovPoint p;
  p.x = (item.x - static_cast<double>(document.mapCentreX)) / (document.mapWidth - 1) * scaleX;
  p.z = (static_cast<double>(document.mapCentreY) - item.z) / (document.mapHeight - 1) * scaleZ;
  switch (item.heightMode) {
  case AboveGround:
    p.y = item.y / maxH * scaleY + item.height;
    break;
  case AboveWater:
    if (item.y > static_cast<double>(values.waterLevel))
      p.y = item.y / maxH * scaleY + item.height;
    else
      p.y = static_cast<double>(values.waterLevel) / maxH * scaleY + item.height;
    break;
  case AboveCamera: {
    const double t = item.y / maxH * scaleY + item.height;
    const double camY = cameraY;
    p.y = t > camY ? t : camY + item.height;
    break;
  }
  default:
    p.y = static_cast<double>(heightAtItem(document, item.x, item.z)) / maxH * scaleY;
    break;
  }
  return p;
}

void rescaleToMap(Document &document) {
  auto refit = [&document](ScItem &item) {
    item.x = static_cast<double>(document.mapWidth) * item.x / document.prevMapWidth;
    item.z = static_cast<double>(document.mapHeight) * item.z / document.prevMapHeight;
    item.y = heightAtItem(document, item.x, item.z);
  };
  // Every object may move, so the history keeps the lists as they were.
  if (document.objectCount() > 0)
    document.history.copyLists(document.objects);
  refit(document.camera);
  refit(document.lookAt);
  for (ScData &list : document.objects)
    for (int i = 0; i < list.count(); ++i)
      refit(list[i]);
}

} // namespace hs
