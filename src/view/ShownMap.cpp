#include "view/ShownMap.h"

#include "terrain/HeightFieldFormats.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

namespace hs {

namespace {

bool wideMap(const Document &document) { return is16Bit(document.hfType()); }

// The light's direction (east, up, south): from the north-west, 45 degrees up.
constexpr float kLightAcross = 0.5f;
constexpr float kLightUp = 0.70710678f;

// A pixel's colour times f / 256, each channel at most 255.
std::uint32_t lit(std::uint32_t p, std::uint32_t f) {
  const std::uint32_t r = std::min<std::uint32_t>(255, (((p >> 16) & 255) * f) >> 8);
  const std::uint32_t g = std::min<std::uint32_t>(255, (((p >> 8) & 255) * f) >> 8);
  const std::uint32_t b = std::min<std::uint32_t>(255, ((p & 255) * f) >> 8);
  return 0xFF000000u | r << 16 | g << 8 | b;
}

// The light on ground rising gx to the east and gs to the south per unit, in
// 256ths: 256 on flat ground, down to 64 in full shade, up to about 335.
std::uint32_t lightOn(float gx, float gs) {
  const float facing = (kLightAcross * (gx + gs) + kLightUp) / std::sqrt(1.0f + gx * gx + gs * gs);
  // A scale of 0 or infinity makes a slope NaN: it is shown as flat ground,
  // and the conversion below always gets a number.
  const float towardLight = facing > 0.0f ? facing : facing <= 0.0f ? 0.0f : kLightUp;
  // Through int: a float to unsigned conversion does not vectorise.
  return static_cast<std::uint32_t>(static_cast<int>(64.0f + 192.0f / kLightUp * towardLight));
}

// The shaded rows of a map with relief.
class Relief {
public:
  Relief(const Document &document, int w, int h)
      : base_(document.baseImage()), w_(w), h_(h), wide_(wideMap(document)),
        perLevel_(document.scaleY() / (wide_ ? 65535.0f : 255.0f)),
        perX_(w > 1 ? 1.0f / (document.scaleX() / static_cast<float>(w - 1)) : 0.0f),
        perZ_(h > 1 ? 1.0f / (document.scaleZ() / static_cast<float>(h - 1)) : 0.0f),
        rows_(3, std::vector<float>(static_cast<std::size_t>(w))) {}

  // Writes map row y's light into light (w values).
  void rowLight(int y, std::uint32_t *light) {
    const int up = std::max(y - 1, 0);
    const int down = std::min(y + 1, h_ - 1);
    const std::vector<float> &above = heights(up);
    const std::vector<float> &here = heights(y);
    const std::vector<float> &below = heights(down);
    const float perS = down > up ? perZ_ / static_cast<float>(down - up) : 0.0f;
    const int last = w_ - 1;
    const auto edge = [&](int x) {
      const int l = std::max(x - 1, 0);
      const int r = std::min(x + 1, last);
      const float gx = r > l ? (here[r] - here[l]) * perX_ / static_cast<float>(r - l) : 0.0f;
      light[x] = lightOn(gx, (below[x] - above[x]) * perS);
    };
    edge(0);
    const float halfPerX = perX_ * 0.5f;
    for (int x = 1; x < last; ++x)
      light[x] = lightOn((here[x + 1] - here[x - 1]) * halfPerX, (below[x] - above[x]) * perS);
    if (last > 0)
      edge(last);
  }

private:
  // Row y's heights in POV units, kept for the next two rows.
  const std::vector<float> &heights(int y) {
    std::vector<float> &row = rows_[static_cast<std::size_t>(y % 3)];
    if (rowOf_[static_cast<std::size_t>(y % 3)] != y) {
      const std::uint32_t *src = base_.rowPixels(y);
      for (int x = 0; x < w_; ++x)
        row[x] = static_cast<float>(wide_ ? height16Of(src[x]) : height8Of(src[x])) * perLevel_;
      rowOf_[static_cast<std::size_t>(y % 3)] = y;
    }
    return row;
  }

  const LRMemoryDC &base_;
  int w_;
  int h_;
  bool wide_;
  float perLevel_;
  float perX_;
  float perZ_;
  std::vector<std::vector<float>> rows_;
  int rowOf_[3] = {-1, -1, -1};
};

// Rows y0 to y1 - 1 of the shown map.
void buildRows(const Document &document, const std::array<std::uint32_t, 256> &lut, bool relief,
               LRMemoryDC &out, int y0, int y1) {
  const LRMemoryDC &base = document.baseImage();
  const int w = std::min(document.mapWidth(), base.width());
  const int h = std::min(document.mapHeight(), base.height());
  const bool wide = wideMap(document);
  std::vector<std::uint32_t> light(static_cast<std::size_t>(std::max(w, 0)), 256);
  Relief shade(document, std::max(w, 1), std::max(h, 1));
  for (int y = y0; y < y1; ++y) {
    const std::uint32_t *src = base.rowPixels(y);
    std::uint32_t *dst = out.rowPixels(y);
    const int n = y < h ? w : 0;
    // The colours first, then the light in a loop of its own that vectorises.
    for (int x = 0; x < n; ++x)
      dst[x] = wide ? lut[(src[x] >> 8) & 255] : src[x];
    if (relief && n > 0) {
      shade.rowLight(y, light.data());
      for (int x = 0; x < n; ++x)
        dst[x] = lit(dst[x], light[static_cast<std::size_t>(x)]);
    }
    std::copy(src + n, src + base.width(), dst + n);
  }
}

} // namespace

bool reliefShown(const Scene &scene) {
  return scene.showRelief[wideMap(scene.document()) ? 1 : 0] != 0;
}

bool buildShownMap(const Document &document, const Palette &pal, bool relief, LRMemoryDC &out) {
  const LRMemoryDC &base = document.baseImage();
  if (out.width() != base.width() || out.height() != base.height() || out.isNull()) {
    out = LRMemoryDC(base.width(), base.height());
    if (out.isNull())
      return false;
  }
  // A 16-bit pixel's high byte is its green.
  std::array<std::uint32_t, 256> lut;
  for (std::size_t i = 0; i < 256; ++i)
    lut[i] = toQtPixel(pal[i]);
  // Large maps in two halves at once: the light on a row needs only the
  // heights around it.
  const int rows = base.height();
  const int split = static_cast<long long>(base.width()) * rows >= (1 << 20) ? rows / 2 : 0;
  std::thread lower;
  if (split > 0) {
    try {
      lower = std::thread([&] { buildRows(document, lut, relief, out, split, rows); });
    } catch (const std::system_error &) {
      buildRows(document, lut, relief, out, split, rows);
    }
  }
  buildRows(document, lut, relief, out, 0, split > 0 ? split : rows);
  if (lower.joinable())
    lower.join();
  return true;
}

const LRMemoryDC &shownMap(Scene &scene, const Palette &pal) {
  const bool relief = reliefShown(scene);
  if (!wideMap(scene.document()) && !relief)
    return scene.document().baseImage();
  ShownMapSource source{
      scene.document().mapVersion(),
      scene.document().hfType(),
      relief,
      {scene.document().scaleX(), scene.document().scaleY(), scene.document().scaleZ()},
      {}};
  std::copy(pal.begin(), pal.end(), source.palette.begin());
  if (source == scene.shownSource && !scene.shownMap.isNull())
    return scene.shownMap;
  scene.shownSource = {};
  if (!buildShownMap(scene.document(), pal, relief, scene.shownMap))
    return scene.document().baseImage();
  scene.shownSource = source;
  return scene.shownMap;
}

} // namespace hs
