#include "elevation/Elevation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace hs {

namespace {

constexpr float kVoid = std::numeric_limits<float>::quiet_NaN();

std::size_t indexOf(int x, int y, int width) {
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
         static_cast<std::size_t>(x);
}

// The next level of the fill's pyramid: each cell the mean of the valid
// cells of its 2 x 2 block, a void when all four are.
ElevationGrid coarser(const ElevationGrid &fine) {
  ElevationGrid g{(fine.width + 1) / 2, (fine.height + 1) / 2, {}};
  g.cells.assign(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height), kVoid);
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x) {
      double sum = 0.0;
      int n = 0;
      for (int fy = 2 * y; fy < std::min(2 * y + 2, fine.height); ++fy)
        for (int fx = 2 * x; fx < std::min(2 * x + 2, fine.width); ++fx)
          if (const float v = fine.at(fx, fy); !std::isnan(v)) {
            sum += v;
            ++n;
          }
      if (n > 0)
        g.cells[indexOf(x, y, g.width)] = static_cast<float>(sum / n);
    }
  return g;
}

bool hasVoid(const ElevationGrid &g) {
  return std::any_of(g.cells.begin(), g.cells.end(), [](float v) { return std::isnan(v); });
}

// The bilinear blend of a void-free coarse level under fine cell (x, y).
double blendUnder(const ElevationGrid &coarse, int x, int y) {
  const double u = std::clamp((x + 0.5) / 2 - 0.5, 0.0, coarse.width - 1.0);
  const double v = std::clamp((y + 0.5) / 2 - 0.5, 0.0, coarse.height - 1.0);
  const int x0 = static_cast<int>(u), y0 = static_cast<int>(v);
  const int x1 = std::min(x0 + 1, coarse.width - 1), y1 = std::min(y0 + 1, coarse.height - 1);
  const double fx = u - x0, fy = v - y0;
  const double top = coarse.at(x0, y0) * (1 - fx) + coarse.at(x1, y0) * fx;
  const double bottom = coarse.at(x0, y1) * (1 - fx) + coarse.at(x1, y1) * fx;
  return top * (1 - fy) + bottom * fy;
}

} // namespace

std::optional<ElevationRange> elevationRange(const ElevationGrid &grid) {
  std::optional<ElevationRange> range;
  for (const float v : grid.cells) {
    if (std::isnan(v))
      continue;
    if (!range)
      range = ElevationRange{v, v};
    range->lo = std::min<double>(range->lo, v);
    range->hi = std::max<double>(range->hi, v);
  }
  return range;
}

long long fillVoids(ElevationGrid &grid, const ElevationRange &range) {
  std::vector<ElevationGrid> pyramid;
  const ElevationGrid *top = &grid;
  while (hasVoid(*top)) {
    if (top->width == 1 && top->height == 1)
      return 0; // not one valid cell
    pyramid.push_back(coarser(*top));
    top = &pyramid.back();
  }
  long long filled = 0;
  // Each level's voids from the one above, down to the grid itself.
  for (std::size_t k = pyramid.size(); k-- > 0;) {
    ElevationGrid &fine = k == 0 ? grid : pyramid[k - 1];
    for (int y = 0; y < fine.height; ++y)
      for (int x = 0; x < fine.width; ++x)
        if (float &v = fine.cells[indexOf(x, y, fine.width)]; std::isnan(v)) {
          v = static_cast<float>(std::clamp(blendUnder(pyramid[k], x, y), range.lo, range.hi));
          filled += k == 0 ? 1 : 0;
        }
  }
  return filled;
}

std::uint16_t levelOf(double e, const ElevationRange &range) {
  const double level = std::round((e - range.lo) / (range.hi - range.lo) * 65535.0);
  return static_cast<std::uint16_t>(std::clamp(level, 0.0, 65535.0));
}

std::vector<std::uint16_t> levelsOf(const ElevationGrid &grid, const ElevationRange &range) {
  std::vector<std::uint16_t> levels(grid.cells.size());
  std::transform(grid.cells.begin(), grid.cells.end(), levels.begin(),
                 [&range](float e) { return levelOf(e, range); });
  return levels;
}

float seaLevelOf(const ElevationRange &range) {
  return range.lo <= 0.0 && range.hi >= 0.0 ? static_cast<float>(levelOf(0.0, range)) : 0.0f;
}

GridSize resampledSize(int width, int height, int size) {
  if (size <= 0 || std::max(width, height) <= size)
    return {width, height};
  const auto other = [size](int shorter, int longer) {
    const auto scaled = static_cast<int>(std::lround(static_cast<double>(shorter) * size / longer));
    return std::min(shorter, std::max(2, scaled));
  };
  return width >= height ? GridSize{size, other(height, width)}
                         : GridSize{other(width, height), size};
}

std::vector<AreaResampler::Span> AreaResampler::spans(int source, int out) {
  // Source cell i covers [i, i + 1) times out / source of the output, at most
  // one cell long, so it touches one output cell or two.
  std::vector<Span> s(static_cast<std::size_t>(source));
  const double f = static_cast<double>(out) / source;
  for (int i = 0; i < source; ++i) {
    const double a = i * f, b = (i + 1) * f;
    Span &span = s[static_cast<std::size_t>(i)];
    span.first = std::min(static_cast<int>(a), out - 1);
    const double edge = span.first + 1.0;
    span.weights[0] = static_cast<float>(std::min(b, edge) - a);
    span.weights[1] = span.first + 1 < out ? static_cast<float>(std::max(0.0, b - edge)) : 0.f;
  }
  return s;
}

AreaResampler::AreaResampler(int sourceWidth, int sourceHeight, int width, int height)
    : sourceWidth_(sourceWidth), out_{width, height, {}}, columns_(spans(sourceWidth, width)),
      rows_(spans(sourceHeight, height)), sum_(2 * static_cast<std::size_t>(width)),
      weight_(sum_.size()), rowSum_(static_cast<std::size_t>(width)), rowWeight_(rowSum_.size()) {
  out_.cells.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
}

void AreaResampler::addRow(int y, const float *row) {
  const auto w = static_cast<std::size_t>(out_.width);
  // Output rows above this source row's are complete: only two are open.
  const int first = rows_[static_cast<std::size_t>(y)].first;
  while (static_cast<int>(out_.cells.size() / w) < first) {
    for (std::size_t c = 0; c < w; ++c)
      out_.cells.push_back(weight_[c] > 0 ? static_cast<float>(sum_[c] / weight_[c]) : kVoid);
    std::copy(sum_.begin() + static_cast<std::ptrdiff_t>(w), sum_.end(), sum_.begin());
    std::copy(weight_.begin() + static_cast<std::ptrdiff_t>(w), weight_.end(), weight_.begin());
    std::fill(sum_.begin() + static_cast<std::ptrdiff_t>(w), sum_.end(), 0.0);
    std::fill(weight_.begin() + static_cast<std::ptrdiff_t>(w), weight_.end(), 0.0);
  }
  std::fill(rowSum_.begin(), rowSum_.end(), 0.0);
  std::fill(rowWeight_.begin(), rowWeight_.end(), 0.0);
  for (int x = 0; x < sourceWidth_; ++x) {
    const float v = row[x];
    if (std::isnan(v))
      continue;
    const Span &s = columns_[static_cast<std::size_t>(x)];
    for (int k = 0; k < 2; ++k) {
      const auto c = static_cast<std::size_t>(s.first) + static_cast<std::size_t>(k);
      if (s.weights[k] > 0) {
        rowSum_[c] += static_cast<double>(v) * s.weights[k];
        rowWeight_[c] += s.weights[k];
      }
    }
  }
  const Span &s = rows_[static_cast<std::size_t>(y)];
  for (int k = 0; k < 2; ++k)
    if (s.weights[k] > 0)
      for (std::size_t c = 0; c < w; ++c) {
        sum_[static_cast<std::size_t>(k) * w + c] += rowSum_[c] * s.weights[k];
        weight_[static_cast<std::size_t>(k) * w + c] += rowWeight_[c] * s.weights[k];
      }
}

ElevationGrid AreaResampler::take() {
  const auto w = static_cast<std::size_t>(out_.width);
  for (int k = 0; static_cast<int>(out_.cells.size() / w) < out_.height; ++k)
    for (std::size_t c = 0; c < w; ++c) {
      const std::size_t at = static_cast<std::size_t>(std::min(k, 1)) * w + c;
      out_.cells.push_back(weight_[at] > 0 ? static_cast<float>(sum_[at] / weight_[at]) : kVoid);
    }
  return std::move(out_);
}

ElevationGrid resampleByArea(const ElevationGrid &grid, int width, int height) {
  AreaResampler r(grid.width, grid.height, width, height);
  for (int y = 0; y < grid.height; ++y)
    r.addRow(y, grid.cells.data() + indexOf(0, y, grid.width));
  return r.take();
}

TrueScale trueScale(int width, int height, double pixelWidth, double pixelHeight,
                    const ElevationRange &range) {
  return {(width - 1) * pixelWidth, (range.hi - range.lo) * 65536.0 / 65535.0,
          (height - 1) * pixelHeight};
}

double metresPerDegreeEast(double latitude) {
  return 111320.0 * std::cos(latitude * std::numbers::pi / 180.0);
}

} // namespace hs
