#include "terrain/Height.h"

#include "core/Numbers.h"

namespace hs {

int heightAtItem(const Scene &scene, double x, double z) {
  return heightAt(scene, truncToInt(x), truncToInt(z));
}

int maxHeight(const Scene &scene) { return scene.hfType != 0 ? 65535 : 255; }

PovPoint toPov(const Scene &scene, const ProgramValues &values, const ScItem &item, float cameraY) {
  const double maxH = maxHeight(scene);
  const double scaleX = values.scaleX;
  const double scaleY = values.scaleY;
  const double scaleZ = values.scaleZ;
  PovPoint p;
  p.x = (item.x - static_cast<double>(scene.mapCentreX)) / (scene.mapWidth - 1) * scaleX;
  p.z = (static_cast<double>(scene.mapCentreY) - item.z) / (scene.mapHeight - 1) * scaleZ;
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
    p.y = static_cast<double>(heightAtItem(scene, item.x, item.z)) / maxH * scaleY;
    break;
  }
  return p;
}

void rescaleToMap(Scene &scene) {
  auto refit = [&scene](ScItem &item) {
    item.x = static_cast<double>(scene.mapWidth) * item.x / scene.prevMapWidth;
    item.z = static_cast<double>(scene.mapHeight) * item.z / scene.prevMapHeight;
    item.y = heightAtItem(scene, item.x, item.z);
  };
  refit(scene.camera);
  refit(scene.lookAt);
  for (ScData &list : scene.objects)
    for (int i = 0; i < list.count(); ++i)
      refit(list[i]);
}

} // namespace hs
