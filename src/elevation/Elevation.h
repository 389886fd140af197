#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace hs {

// Elevations in metres, row by row from the north-west corner; a void (no
// data, or a value that is not finite) is NaN.
struct ElevationGrid {
  int width = 0;
  int height = 0;
  std::vector<float> cells;

  float at(int x, int y) const {
    return cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                 static_cast<std::size_t>(x)];
  }
};

// The lowest and highest valid elevation.
struct ElevationRange {
  double lo = 0.0;
  double hi = 0.0;
};

// The range of grid's valid cells; nullopt when none is valid.
std::optional<ElevationRange> elevationRange(const ElevationGrid &grid);

// Fills every void from the nearest valid cells, smoothly: a pyramid of
// averages of the valid cells, each void then taking the bilinear blend of
// the level above. Every filled value is a blend of valid ones, so it stays
// within range. Returns how many cells were filled; with no valid cell at all
// nothing is filled and 0 is returned.
long long fillVoids(ElevationGrid &grid, const ElevationRange &range);

// The 16-bit level of elevation e: round((e - lo) / (hi - lo) * 65535),
// clamped to 0..65535. range.hi must be above range.lo.
std::uint16_t levelOf(double e, const ElevationRange &range);

// Every cell's level, in the grid's order (the grid has no voids left).
std::vector<std::uint16_t> levelsOf(const ElevationGrid &grid, const ElevationRange &range);

// The water level: the level of sea level (e = 0) when it lies within the
// range, else 0.
float seaLevelOf(const ElevationRange &range);

// The output size for a longest side of size (0: none asked): the source's
// when it is no larger, else the longer side size and the other in proportion
// (at least 2, when the source has them).
struct GridSize {
  int width = 0;
  int height = 0;
};
GridSize resampledSize(int width, int height, int size);

// Resamples row after row of a source into an output grid by area average:
// each output cell is the mean of the valid source cells it covers, weighted
// by the part of each it covers; a cell that covers only voids is a void.
// Rows come in order, so a source larger than memory streams through.
class AreaResampler {
public:
  AreaResampler(int sourceWidth, int sourceHeight, int width, int height);
  // Adds source row y (sourceWidth cells); rows must come in order 0, 1, ...
  void addRow(int y, const float *row);
  // The output once every row has been added.
  ElevationGrid take();

private:
  struct Span {
    int first = 0;                 // first output cell the source cell touches
    float weights[2] = {0.f, 0.f}; // its share of that one and of the next
  };
  static std::vector<Span> spans(int source, int out);

  int sourceWidth_;
  ElevationGrid out_;
  std::vector<Span> columns_, rows_;
  std::vector<double> sum_, weight_;       // per output cell
  std::vector<double> rowSum_, rowWeight_; // one source row, across the output
};

// An area-average resample of a whole grid (AreaResampler in one go).
ElevationGrid resampleByArea(const ElevationGrid &grid, int width, int height);

// The true scale of a map of width x height pixels of the given size in
// metres, whose levels span range: one POV unit a metre, heights above lo.
struct TrueScale {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};
TrueScale trueScale(int width, int height, double pixelWidth, double pixelHeight,
                    const ElevationRange &range);

// Metres per degree east-west and north-south at a latitude in degrees.
double metresPerDegreeEast(double latitude);
inline constexpr double kMetresPerDegreeNorth = 110574.0;

} // namespace hs
