#include "view3d/Terrain.h"

#include "terrain/HeightFieldFormats.h"
#include "view3d/Geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace hs::view3d {

namespace {

int tilesFor(int samples) { return std::max(1, (samples - 2) / kTileCells + 1); }

// The cells of tile i along a side of n samples.
int cellsOf(int i, int n) { return std::clamp(n - 1 - i * kTileCells, 1, kTileCells); }

// A pixel's place across the map in POV units (rows count towards -z).
double across(double pixel, double centre, int count, double scale) {
  return count <= 1 ? 0.0 : (pixel - centre) / (count - 1) * scale;
}

} // namespace

bool TerrainSamples::tileRead(int row) const {
  return std::min((row + 1) * kTileCells, height - 1) < rowsRead;
}

void startTerrain(TerrainSamples &t, const Document &document, bool withColours) {
  t.width = std::max(0, std::min(document.mapWidth(), document.baseImage().width()));
  t.height = std::max(0, std::min(document.mapHeight(), document.baseImage().height()));
  t.sixteenBit = is16Bit(document.hfType());
  const auto n = static_cast<std::size_t>(t.width) * static_cast<std::size_t>(t.height);
  t.samples.assign(n, 0);
  t.colours.assign(withColours ? n : 0, 0);
  t.tilesAcross = tilesFor(t.width);
  t.tilesDown = tilesFor(t.height);
  const auto tiles = static_cast<std::size_t>(t.tilesAcross) * t.tilesDown;
  t.low.assign(tiles, 0xFFFF);
  t.high.assign(tiles, 0);
  t.rowsRead = 0;
}

bool readTerrain(TerrainSamples &t, const Document &document, const LRMemoryDC *colours,
                 long long maxSamples) {
  if (!t.colours.empty() &&
      (colours == nullptr || colours->width() < t.width || colours->height() < t.height))
    t.colours.clear(); // no picture to take them from: by height
  long long budget = maxSamples;
  for (; t.rowsRead < t.height && budget > 0; ++t.rowsRead, budget -= t.width) {
    const int r = t.rowsRead;
    const std::uint32_t *pixels = document.baseImage().rowPixels(r);
    std::uint16_t *out = t.samples.data() + static_cast<std::size_t>(r) * t.width;
    for (int c = 0; c < t.width; ++c)
      out[c] =
          static_cast<std::uint16_t>(t.sixteenBit ? height16Of(pixels[c]) : height8Of(pixels[c]));
    if (!t.colours.empty() && colours != nullptr)
      std::copy_n(colours->rowPixels(r), t.width,
                  t.colours.data() + static_cast<std::size_t>(r) * t.width);
    // A row on a tile's edge belongs to the tiles on both sides of it.
    const int down = std::min(r / kTileCells, t.tilesDown - 1);
    for (int d = down; d >= std::max(0, down - 1); --d) {
      if (r < d * kTileCells || r > d * kTileCells + cellsOf(d, t.height))
        continue;
      for (int a = 0; a < t.tilesAcross; ++a) {
        const int first = a * kTileCells;
        const int last = std::min(first + cellsOf(a, t.width), t.width - 1);
        const auto [lo, hi] = std::minmax_element(out + first, out + last + 1);
        const auto i = static_cast<std::size_t>(d) * t.tilesAcross + a;
        t.low[i] = std::min(t.low[i], *lo);
        t.high[i] = std::max(t.high[i], *hi);
      }
    }
  }
  return t.complete();
}

QVector3D TerrainPlacement::at(double column, double row, double sample) const {
  return fromPov(across(column, centreX, mapWidth, scaleX), sample * heightUnit,
                 across(centreY, row, mapHeight, scaleZ));
}

TerrainPlacement placementOf(const Document &document) {
  TerrainPlacement p;
  p.centreX = document.mapCentreX();
  p.centreY = document.mapCentreY();
  p.mapWidth = document.mapWidth();
  p.mapHeight = document.mapHeight();
  p.scaleX = document.scaleX();
  p.scaleY = document.scaleY();
  p.scaleZ = document.scaleZ();
  p.heightUnit = document.scaleY() / (is16Bit(document.hfType()) ? 65536.0 : 256.0);
  return p;
}

namespace {

// A tile in view and how far its nearest point lies from the eye.
struct Seen {
  int across, down, cellsAcross, cellsDown;
  double distance;
};

// Out of view when all eight corners lie beyond one side of the frustum (its
// depth planes aside: the caller may not know them yet) or behind the eye.
bool outOfView(const QMatrix4x4 &viewProjection, const QVector3D &lo, const QVector3D &hi) {
  std::array<int, 5> outside{};
  for (int k = 0; k < 8; ++k) {
    const QVector4D c =
        viewProjection * QVector4D((k & 1) ? hi.x() : lo.x(), (k & 2) ? hi.y() : lo.y(),
                                   (k & 4) ? hi.z() : lo.z(), 1.0f);
    outside[0] += c.x() < -c.w();
    outside[1] += c.x() > c.w();
    outside[2] += c.y() < -c.w();
    outside[3] += c.y() > c.w();
    outside[4] += c.w() <= 0.0f;
  }
  return std::find(outside.begin(), outside.end(), 8) != outside.end();
}

std::vector<Seen> tilesInView(const TerrainSamples &t, const TerrainPlacement &place,
                              const QMatrix4x4 &viewProjection, const QVector3D &eye) {
  std::vector<Seen> seen;
  for (int d = 0; d < t.tilesDown && t.tileRead(d); ++d)
    for (int a = 0; a < t.tilesAcross; ++a) {
      const auto i = static_cast<std::size_t>(d) * t.tilesAcross + a;
      const int ca = cellsOf(a, t.width), cd = cellsOf(d, t.height);
      const QVector3D p0 = place.at(a * kTileCells, d * kTileCells, t.low[i]);
      const QVector3D p1 = place.at(a * kTileCells + ca, d * kTileCells + cd, t.high[i]);
      const QVector3D lo(std::min(p0.x(), p1.x()), std::min(p0.y(), p1.y()),
                         std::min(p0.z(), p1.z()));
      const QVector3D hi(std::max(p0.x(), p1.x()), std::max(p0.y(), p1.y()),
                         std::max(p0.z(), p1.z()));
      if (outOfView(viewProjection, lo, hi))
        continue;
      const QVector3D nearest(std::clamp(eye.x(), lo.x(), hi.x()),
                              std::clamp(eye.y(), lo.y(), hi.y()),
                              std::clamp(eye.z(), lo.z(), hi.z()));
      seen.push_back({a, d, ca, cd, std::max(1e-6, double((eye - nearest).length()))});
    }
  return seen;
}

// Skirts where a neighbour in view is drawn at another stride.
void hangSkirts(const TerrainSamples &t, std::vector<TileDraw> &tiles) {
  std::vector<int> strideAt(static_cast<std::size_t>(t.tilesAcross) * t.tilesDown, 0);
  for (const TileDraw &d : tiles)
    strideAt[static_cast<std::size_t>(d.down) * t.tilesAcross + d.across] = d.stride;
  const auto other = [&](const TileDraw &d, int a, int down) {
    if (a < 0 || down < 0 || a >= t.tilesAcross || down >= t.tilesDown)
      return false;
    const int s = strideAt[static_cast<std::size_t>(down) * t.tilesAcross + a];
    return s != 0 && s != d.stride;
  };
  for (TileDraw &d : tiles)
    d.skirts = (other(d, d.across - 1, d.down) ? 1 : 0) | (other(d, d.across + 1, d.down) ? 2 : 0) |
               (other(d, d.across, d.down - 1) ? 4 : 0) | (other(d, d.across, d.down + 1) ? 8 : 0);
}

} // namespace

std::vector<TileDraw> chooseTiles(const TerrainSamples &t, const TerrainPlacement &place,
                                  const QMatrix4x4 &viewProjection, const QVector3D &eye,
                                  double pixelsPerUnit, long long budget) {
  if (t.width < 2 || t.height < 2)
    return {};
  const std::vector<Seen> seen = tilesInView(t, place, viewProjection, eye);
  const double cell = std::max(double(place.scaleX) / std::max(1, place.mapWidth - 1),
                               double(place.scaleZ) / std::max(1, place.mapHeight - 1));
  std::vector<TileDraw> tiles(seen.size());
  const auto choose = [&](double pixels) { // 0: every tile whole
    long long triangles = 0;
    for (std::size_t i = 0; i < seen.size(); ++i) {
      int s = 1;
      while (s < kTileCells && pixels > 0 &&
             2 * s * cell * pixelsPerUnit / seen[i].distance <= pixels)
        s *= 2;
      tiles[i] = {seen[i].across, seen[i].down, s, 0};
      triangles += 2LL * ((seen[i].cellsAcross + s - 1) / s) * ((seen[i].cellsDown + s - 1) / s);
    }
    return triangles;
  };
  for (double pixels = 0; choose(pixels) > budget && pixels < 1e6;
       pixels = std::max(1.0, pixels * 1.5))
    ;
  hangSkirts(t, tiles);
  return tiles;
}

long long trianglesOf(const std::vector<TileDraw> &tiles) {
  long long n = 0;
  for (const TileDraw &d : tiles)
    n += 2LL * (kTileCells / d.stride) * (kTileCells / d.stride);
  return n;
}

TilePatch tilePatch(int stride) {
  TilePatch p;
  const int n = kTileCells / stride;
  const auto corner = [&p](int i, int j, int side) {
    p.corners.insert(p.corners.end(), {float(i), float(j), float(side)});
    return static_cast<std::uint32_t>(p.corners.size() / 3 - 1);
  };
  for (int j = 0; j <= n; ++j)
    for (int i = 0; i <= n; ++i)
      corner(i * stride, j * stride, 0);
  const auto at = [n](int i, int j) { return static_cast<std::uint32_t>(j * (n + 1) + i); };
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i)
      p.indices.insert(p.indices.end(), {at(i, j), at(i + 1, j + 1), at(i + 1, j), at(i, j),
                                         at(i, j + 1), at(i + 1, j + 1)});
  // Each side's skirt: a strip from its edge straight down.
  const struct {
    int side, i0, j0, di, dj;
  } sides[] = {{1, 0, 0, 0, 1}, {2, n, 0, 0, 1}, {4, 0, 0, 1, 0}, {8, 0, n, 1, 0}};
  for (const auto &s : sides)
    for (int k = 0; k < n; ++k) {
      const int i = s.i0 + k * s.di, j = s.j0 + k * s.dj;
      const std::uint32_t e0 = at(i, j), e1 = at(i + s.di, j + s.dj);
      const std::uint32_t s0 = corner(i * stride, j * stride, s.side);
      const std::uint32_t s1 = corner((i + s.di) * stride, (j + s.dj) * stride, s.side);
      p.indices.insert(p.indices.end(), {e0, e1, s1, e0, s1, s0});
    }
  return p;
}

} // namespace hs::view3d
