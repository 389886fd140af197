// The scatter's richer rules: footprints across types, a density image and clumps.
#include "placement/ScatterField.h"
#include "placement/ScatterGround.h"

#include <numbers>

namespace hs::scatter_field {

namespace {

// The objects' footprints: each type's radius, the disk of pixels a placed
// object of each type closes to every type scattered, and the objects placed
// so far (those already there included) binned in cells wide enough that a
// neighbour that matters is in the 3 x 3 cells around.
class Footprints {
public:
  Footprints(const Document &document, const ScatterRules &rules, const std::vector<int> &types,
             double spacing, const Bounds &b)
      : on_(rules.hasFootprints()), spacing_(spacing) {
    for (std::size_t t = 0; t < radius_.size(); ++t)
      radius_[t] = on_ ? std::max(0.0, rules.radii[t]) : 0.0;
    double least = 1e300;
    double most = 0;
    for (int t : types)
      least = std::min(least, radius_[static_cast<std::size_t>(t)]);
    for (const double r : radius_)
      most = std::max(most, r);
    for (std::size_t t = 0; t < radius_.size(); ++t)
      disks_.emplace_back(radius_[t] + spacing + least);
    if (!on_)
      return;
    cell_ = std::max(1.0, spacing + 2 * most);
    x0_ = b.x0 - cell_;
    z0_ = b.z0 - cell_;
    columns_ = static_cast<int>(std::ceil((b.width() + 2 * cell_) / cell_)) + 1;
    rows_ = static_cast<int>(std::ceil((b.height() + 2 * cell_) / cell_)) + 1;
    bins_.resize(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_));
    for (int t = 0; t < kObjectTypes; ++t)
      for (const ScItem &item : document.objects()[static_cast<std::size_t>(t)])
        add(item.x, item.z, t);
  }
  bool on() const { return on_; }
  const Disk &disk(int type) const { return disks_[static_cast<std::size_t>(type)]; }
  double radius(int type) const { return radius_[static_cast<std::size_t>(type)]; }

  // Whether an object of type may stand at (x, z) among those placed.
  bool fits(double x, double z, int type) const {
    if (!on_)
      return true;
    const int cx = cellOf(x - x0_);
    const int cz = cellOf(z - z0_);
    const double r = radius(type) + spacing_;
    for (int j = std::max(0, cz - 1); j <= std::min(rows_ - 1, cz + 1); ++j)
      for (int i = std::max(0, cx - 1); i <= std::min(columns_ - 1, cx + 1); ++i)
        for (const Placed &p : bins_[index(i, j)]) {
          const double reach = r + p.r;
          if ((p.x - x) * (p.x - x) + (p.z - z) * (p.z - z) < reach * reach)
            return false;
        }
    return true;
  }

  void add(double x, double z, int type) {
    if (!on_ || !std::isfinite(x) || !std::isfinite(z))
      return;
    const int i = cellOf(x - x0_);
    const int j = cellOf(z - z0_);
    if (i >= 0 && j >= 0 && i < columns_ && j < rows_)
      bins_[index(i, j)].push_back({x, z, radius(type)});
  }

private:
  struct Placed {
    double x, z, r;
  };
  int cellOf(double v) const {
    return static_cast<int>(std::clamp(std::floor(v / cell_), -2.0, 1e9));
  }
  std::size_t index(int i, int j) const {
    return static_cast<std::size_t>(j) * static_cast<std::size_t>(columns_) +
           static_cast<std::size_t>(i);
  }

  bool on_;
  double spacing_;
  std::array<double, kObjectTypes> radius_{};
  std::vector<Disk> disks_;
  double cell_ = 1, x0_ = 0, z0_ = 0;
  int columns_ = 0, rows_ = 0;
  std::vector<std::vector<Placed>> bins_;
};

// The density image stretched over the map, each pixel sampled at its centre.
// What it keeps is dithered: the densities of the objects offered add up, and
// one is kept each time the sum passes a whole number, so a part of the map
// keeps its share within one object (the offers come in a random order, so
// which ones is random).
class Density {
public:
  Density(const Document &document, const DensityImage *image, ScatterRandom &random)
      : image_(image), width_(std::max(1, document.mapWidth())),
        height_(std::max(1, document.mapHeight())), sum_(image != nullptr ? random.unit() : 0) {}
  // Whether an object offered at (x, z) stays.
  bool keeps(int x, int z) {
    if (image_ == nullptr)
      return true;
    if (image_->width <= 0 || image_->height <= 0)
      return false;
    const auto at = [](int v, int size, int n) {
      return static_cast<std::size_t>(
          std::clamp((2LL * v + 1) * n / (2LL * size), 0LL, static_cast<long long>(n) - 1));
    };
    const std::size_t i = at(z, height_, image_->height) * static_cast<std::size_t>(image_->width) +
                          at(x, width_, image_->width);
    const double d =
        i < image_->values.size() ? std::clamp(double(image_->values[i]), 0.0, 1.0) : 0;
    sum_ += d;
    if (d <= 0 || sum_ < 1)
      return false;
    sum_ -= 1;
    return true;
  }

private:
  const DensityImage *image_;
  int width_, height_;
  double sum_;
};

} // namespace

namespace {

// What a rich sweep works with.
struct Sweep {
  const ScatterRules &rules;
  double spacing;
  Field &field;
  const Bounds &b;
  ScatterRandom &random;
  Keeper &keeper;
  Footprints &footprints;
  Density &density;
  const TypeDraw &draw;

  // The object's type when footprints need it now, else -1 (drawn later).
  int typeFor() const { return footprints.on() ? draw.pick(random) : -1; }
  void place(const Spot &s) const {
    if (footprints.on()) {
      field.takeAround(s.x, s.z, footprints.disk(s.type));
      footprints.add(s.x, s.z, s.type);
    } else {
      field.takeAround(s.x, s.z);
    }
  }
  // Whether s may join members, the objects of its clump so far, inner apart.
  bool roomIn(const std::vector<Spot> &members, const Spot &s, double inner) const {
    const double r = s.type >= 0 ? footprints.radius(s.type) : 0.0;
    return std::none_of(members.begin(), members.end(), [&](const Spot &m) {
      const double apart = inner + r + (m.type >= 0 ? footprints.radius(m.type) : 0.0);
      return double(m.x - s.x) * (m.x - s.x) + double(m.z - s.z) * (m.z - s.z) < apart * apart;
    });
  }
};

// Clumps: centres as a maximal set at the clump spacing over the whole
// bounds, then each clump's objects tried at random in its disk; a clump's
// objects close their room to others once the clump is done.
long long sweepClumps(const Sweep &w, const ProgressReport &progress) {
  const ScatterClumps &c = w.rules.clumps;
  std::vector<Spot> centres;
  Field open(w.b, std::max(1.0, c.spacing), Free);
  if (!visitPixels(w.b, w.random, progress, 0.25, [&](int x, int z) {
        if (open.at(x, z) == Free) {
          open.takeAround(x, z);
          centres.push_back({x, z});
        }
      }))
    return -1;
  const double inner = c.inner > 0 ? c.inner : w.spacing;
  const int least = std::max(1, c.least);
  const int most = std::max(least, c.most);
  std::vector<Spot> members;
  for (std::size_t k = 0; k < centres.size(); ++k) {
    if ((k & 1023) == 0 && progress &&
        !progress(0.6 + 0.4 * static_cast<double>(k) / static_cast<double>(centres.size())))
      return -1;
    const int n =
        least + static_cast<int>(w.random.below(static_cast<std::uint32_t>(most - least + 1)));
    members.clear();
    for (int tries = 0; tries < 30 * n && static_cast<int>(members.size()) < n; ++tries) {
      const double reach = c.radius * std::sqrt(w.random.unit());
      const double angle = 2 * std::numbers::pi * w.random.unit();
      const auto x = static_cast<int>(std::lround(centres[k].x + reach * std::cos(angle)));
      const auto z = static_cast<int>(std::lround(centres[k].z + reach * std::sin(angle)));
      if (!w.b.contains(x, z) || w.field.at(x, z) != Free)
        continue;
      const Spot s{x, z, w.typeFor()};
      if (w.roomIn(members, s, inner) && (s.type < 0 || w.footprints.fits(x, z, s.type)) &&
          w.density.keeps(x, z))
        members.push_back(s);
    }
    for (const Spot &s : members) {
      w.place(s);
      w.keeper.add(s);
    }
  }
  return w.keeper.found;
}

} // namespace

long long sweepRich(const Document &document, const ScatterRules &rules,
                    const std::vector<int> &types, double spacing, Field &field, const Bounds &b,
                    ScatterRandom &random, Keeper &keeper, const ProgressReport &progress) {
  Footprints footprints(document, rules, types, spacing, b);
  Density density(document, rules.density.get(), random);
  const TypeDraw draw(rules, types);
  for (int t = 0; t < kObjectTypes; ++t) {
    // Without footprints only the types scattered keep their distance, as ever.
    if (!footprints.on() && std::find(types.begin(), types.end(), t) == types.end())
      continue;
    const double reach = footprints.on() ? footprints.disk(t).radius : spacing;
    for (const ScItem &item : document.objects()[static_cast<std::size_t>(t)])
      field.takeAround(item.x, item.z, reach);
  }
  const Sweep w{rules, spacing, field, b, random, keeper, footprints, density, draw};
  if (rules.clumps.on())
    return sweepClumps(w, progress);
  // The maximal set, thinned by the density: what is thinned still keeps its room.
  const bool done = visitPixels(b, random, progress, 0.25, [&](int x, int z) {
    if (field.at(x, z) != Free)
      return;
    const Spot s{x, z, w.typeFor()};
    if (s.type >= 0 && !footprints.fits(x, z, s.type))
      return;
    w.place(s);
    if (density.keeps(x, z))
      keeper.add(s);
  });
  return done ? keeper.found : -1;
}

} // namespace hs::scatter_field
