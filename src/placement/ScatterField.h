// What the scatter's plan and its richer rules share: the working picture of
// the map, the order pixels are tried in and the choice of what is kept.
#pragma once

#include "core/ProgramValues.h"
#include "core/ScatterRules.h"
#include "placement/Scatter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <vector>

namespace hs::scatter_field {

constexpr int kTile = 64;

// The box of map pixels a scatter looks at.
struct Bounds {
  int x0 = 0, z0 = 0, x1 = -1, z1 = -1; // inclusive
  int width() const { return x1 - x0 + 1; }
  int height() const { return z1 - z0 + 1; }
  bool empty() const { return x1 < x0 || z1 < z0; }
  bool contains(int x, int z) const { return x >= x0 && x <= x1 && z >= z0 && z <= z1; }
};

// The whole pixels closer than a radius to a whole pixel: half widths by row offset.
struct Disk {
  struct Span {
    int dz;
    int halfWidth;
  };
  std::vector<Span> spans;
  double radius;
  explicit Disk(double r) : radius(r) {
    const double r2 = radius * radius;
    const int reach = static_cast<int>(std::ceil(radius));
    for (int dz = -reach; dz <= reach; ++dz) {
      int w = reach;
      while (w >= 0 && static_cast<double>(w) * w + static_cast<double>(dz) * dz >= r2)
        --w;
      if (w >= 0)
        spans.push_back({dz, w});
    }
  }
};

// The working picture of the bounds, one byte a pixel: 0 free ground that
// meets the rules, anything else not to be used.
enum : std::uint8_t { Free = 0, Refused = 1, Taken = 2 };

class Field {
public:
  Field(const Bounds &b, double spacing, std::uint8_t fill = Refused)
      : b_(b), spacing_(spacing), disk_(spacing) {
    cells_.assign(static_cast<std::size_t>(b.width()) * static_cast<std::size_t>(b.height()), fill);
  }

  std::uint8_t *row(int z) {
    return cells_.data() +
           static_cast<std::size_t>(z - b_.z0) * static_cast<std::size_t>(b_.width());
  }
  std::uint8_t &at(int x, int z) { return row(z)[x - b_.x0]; }

  // Marks every pixel closer than the spacing (or the disk's radius) to the whole pixel (x, z).
  void takeAround(int x, int z) { takeAround(x, z, disk_); }
  void takeAround(int x, int z, const Disk &disk) {
    for (const auto &[dz, w] : disk.spans) {
      const int zz = z + dz;
      if (zz < b_.z0 || zz > b_.z1)
        continue;
      const int from = std::max(x - w, b_.x0);
      const int to = std::min(x + w, b_.x1);
      if (from <= to)
        std::memset(row(zz) + (from - b_.x0), Taken, static_cast<std::size_t>(to - from) + 1);
    }
  }

  // The same about any point, for objects that are already there.
  void takeAround(double x, double z) { takeAround(x, z, spacing_); }
  void takeAround(double x, double z, double radius);

private:
  Bounds b_;
  double spacing_;
  Disk disk_;
  std::vector<std::uint8_t> cells_;
};

// A pixel kept, and its type when it was drawn as it was placed (else -1).
struct Spot {
  std::int32_t x;
  std::int32_t z;
  std::int32_t type = -1;
};

// Keeps every spot offered, or an even random choice of keep of them
// (reservoir sampling).
struct Keeper {
  std::size_t keep;
  std::vector<Spot> &kept;
  ScatterRandom &random;
  long long found = 0;
  void add(const Spot &spot) {
    ++found;
    if (kept.size() < keep) {
      kept.push_back(spot);
    } else if (keep > 0) {
      const std::uint64_t j = random.next() % static_cast<std::uint64_t>(found);
      if (j < keep)
        kept[j] = spot;
    }
  }
};

// Tries every pixel of the bounds once: tile by tile in a random order and
// pixel by pixel in a random order inside each tile, so the work stays in
// cache. progress runs from `from` to 1. False when cancelled.
template <class Try>
bool visitPixels(const Bounds &b, ScatterRandom &random, const ProgressReport &progress,
                 double from, Try &&tryAt) {
  const int tilesX = (b.width() + kTile - 1) / kTile;
  const int tilesZ = (b.height() + kTile - 1) / kTile;
  std::vector<std::uint32_t> tiles(static_cast<std::size_t>(tilesX) *
                                   static_cast<std::size_t>(tilesZ));
  std::iota(tiles.begin(), tiles.end(), 0u);
  for (std::size_t i = tiles.size(); i > 1; --i)
    std::swap(tiles[i - 1], tiles[random.below(static_cast<std::uint32_t>(i))]);
  std::vector<std::uint16_t> order(static_cast<std::size_t>(kTile) * kTile);
  for (std::size_t t = 0; t < tiles.size(); ++t) {
    if ((t & 15) == 0 && progress &&
        !progress(from + (1 - from) * static_cast<double>(t) / static_cast<double>(tiles.size())))
      return false;
    const int tx = b.x0 + static_cast<int>(tiles[t] % static_cast<std::uint32_t>(tilesX)) * kTile;
    const int tz = b.z0 + static_cast<int>(tiles[t] / static_cast<std::uint32_t>(tilesX)) * kTile;
    const int w = std::min(kTile, b.x1 - tx + 1);
    const auto n = static_cast<std::uint32_t>(w * std::min(kTile, b.z1 - tz + 1));
    std::iota(order.begin(), order.begin() + n, std::uint16_t{0});
    for (std::uint32_t i = n; i > 1; --i)
      std::swap(order[i - 1], order[random.below(i)]);
    for (std::uint32_t i = 0; i < n; ++i)
      tryAt(tx + order[i] % w, tz + order[i] / w);
  }
  return true;
}

// Draws a type among types by the rules' weights (the only one when there is one).
struct TypeDraw {
  const ScatterRules &rules;
  const std::vector<int> &types;
  double total = 0;
  TypeDraw(const ScatterRules &r, const std::vector<int> &t) : rules(r), types(t) {
    for (int type : types)
      total += rules.weights[static_cast<std::size_t>(type)];
  }
  int pick(ScatterRandom &random) const {
    if (types.size() <= 1)
      return types.back();
    double left = random.unit() * total;
    for (int t : types) {
      left -= rules.weights[static_cast<std::size_t>(t)];
      if (left < 0)
        return t;
    }
    return types.back();
  }
};

// The richer rules (footprints across types, a density image, clumps): sweeps
// the field as planScatter's own sweep does, with the type of each object
// drawn as it is placed when footprints need it. Returns how many were found,
// or -1 when cancelled.
long long sweepRich(const Document &document, const ScatterRules &rules,
                    const std::vector<int> &types, double spacing, Field &field, const Bounds &b,
                    ScatterRandom &random, Keeper &keeper, const ProgressReport &progress);

} // namespace hs::scatter_field
