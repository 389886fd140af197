#include "terrain/Height.h"

#include "core/Numbers.h"

namespace hs {

int heightAtItem(const Document &document, double x, double z) {
  return heightAt(document, truncToInt(x), truncToInt(z));
}

int maxHeight(const Document &document) { return is16Bit(document.hfType()) ? 65535 : 255; }

PovPoint toPov(const Document &document, const ScItem &item, float cameraY) {
  const double maxH = maxHeight(document);
  const double scaleX = document.scaleX();
  const double scaleY = document.scaleY();
  const double scaleZ = document.scaleZ();
  PovPoint p;
  p.x = (item.x - static_cast<double>(document.mapCentreX())) / (document.mapWidth() - 1) * scaleX;
  p.z = (static_cast<double>(document.mapCentreY()) - item.z) / (document.mapHeight() - 1) * scaleZ;
  switch (item.heightMode) {
  case AboveGround:
    p.y = item.y / maxH * scaleY + item.height;
    break;
  case AboveWater:
    if (item.y > static_cast<double>(document.waterLevel()))
      p.y = item.y / maxH * scaleY + item.height;
    else
      p.y = static_cast<double>(document.waterLevel()) / maxH * scaleY + item.height;
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
  const Document &d = document;
  document.changeEvery(
      [&d](ScItem &item) {
        item.x = static_cast<double>(d.mapWidth()) * item.x / d.prevMapWidth();
        item.z = static_cast<double>(d.mapHeight()) * item.z / d.prevMapHeight();
        item.y = heightAtItem(d, item.x, item.z);
      },
      true);
}

} // namespace hs
