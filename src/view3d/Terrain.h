// The terrain as the 3D view keeps it: the map's samples read once (a band of
// rows at a time, so a big map never holds the window up), and the choice of
// which square tiles to draw at which detail from where the eye stands. No
// OpenGL here; the renderer uploads the samples and draws the tiles.
#pragma once

#include "core/Document.h"

#include <QMatrix4x4>
#include <QVector3D>

#include <cstdint>
#include <vector>

namespace hs::view3d {

// Cells on a tile's side; a tile at stride s draws every s-th sample.
inline constexpr int kTileCells = 64;

struct TerrainSamples {
  int width = 0, height = 0; // the usable map
  bool sixteenBit = false;
  std::vector<std::uint16_t> samples;   // as POV-Ray reads them, row by row
  std::vector<std::uint32_t> colours;   // 0xFFRRGGBB a sample; empty: by height
  std::vector<std::uint16_t> low, high; // each tile's lowest and highest sample
  int tilesAcross = 0, tilesDown = 0;
  int rowsRead = 0; // rows [0, rowsRead) are in

  bool complete() const { return rowsRead >= height; }
  // The tile's samples are all in.
  bool tileRead(int row) const;
};

// Starts reading the document's map afresh (colours: a picture of the map to
// colour the ground with, or nullptr), then reads up to maxSamples more;
// true once every row is in. The document must not change in between
// without starting again.
void startTerrain(TerrainSamples &terrain, const Document &document, bool withColours);
bool readTerrain(TerrainSamples &terrain, const Document &document, const LRMemoryDC *colours,
                 long long maxSamples);

// Where the preview scene puts the map's samples.
struct TerrainPlacement {
  double centreX = 0, centreY = 0; // the map's centre pixel
  int mapWidth = 1, mapHeight = 1;
  float scaleX = 1, scaleY = 1, scaleZ = 1;
  double heightUnit = 1; // a sample's height in POV units
  QVector3D at(double column, double row, double sample) const;
};
TerrainPlacement placementOf(const Document &document);

// A tile to draw: its place in tiles, the stride of its samples and the sides
// (1 left, 2 right, 4 top, 8 bottom) whose edges hang a skirt down, to cover
// the gaps where a neighbour is drawn at another stride.
struct TileDraw {
  int across, down, stride;
  int skirts;
};

// What the eye sees: the tiles in view (viewProjection's depth planes do not
// matter), every one at stride 1 when their
// triangles fit within budget, else each as coarse as keeps its cells under a
// number of pixels on the screen, that number the least that fits.
// pixelsPerUnit: the screen pixels a unit spans at distance 1.
std::vector<TileDraw> chooseTiles(const TerrainSamples &terrain, const TerrainPlacement &place,
                                  const QMatrix4x4 &viewProjection, const QVector3D &eye,
                                  double pixelsPerUnit, long long budget);
long long trianglesOf(const std::vector<TileDraw> &tiles);

// A tile's mesh at a stride: corners (cells right, cells down, the sides a
// corner lies on when it is a skirt's, else 0) and triangles, each cell cut
// from its upper left to its lower right sample as POV-Ray cuts it.
struct TilePatch {
  std::vector<float> corners; // three floats a corner
  std::vector<std::uint32_t> indices;
};
TilePatch tilePatch(int stride);

} // namespace hs::view3d
