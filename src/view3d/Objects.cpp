#include "view3d/Objects.h"

#include "io/PovInclude.h"
#include "terrain/Height.h"

#include <algorithm>
#include <cmath>

namespace hs::view3d {

namespace {

// Appends bigger than this are read a band at a time, as a new list is.
constexpr std::int32_t kReadAtOnce = 4096;

// Takes out what a removal took out of the records: a run, or the ascending
// indices they had.
void removeFrom(std::vector<Instance> &list, const DocumentChange &change) {
  const std::vector<std::int32_t> &at = change.indices;
  if (at.empty()) {
    const auto first = std::min<std::size_t>(static_cast<std::size_t>(change.first), list.size());
    const auto last =
        std::min<std::size_t>(first + static_cast<std::size_t>(change.count), list.size());
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(first),
               list.begin() + static_cast<std::ptrdiff_t>(last));
    return;
  }
  std::size_t kept = 0, next = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (next < at.size() && static_cast<std::size_t>(at[next]) == i) {
      ++next;
      continue;
    }
    list[kept++] = list[i];
  }
  list.resize(kept);
}

} // namespace

Instance instanceOf(const Document &document, const ScItem &item, float cameraY) {
  const PovPoint p = povPoint(document, item, cameraY);
  const QVector3D at = fromPov(p.x, p.y, p.z);
  return {at.x(), at.y(), at.z(), static_cast<float>(item.turn * M_PI / 180.0),
          static_cast<float>(item.size * document.scaleX() / 100.0)};
}

void ObjectInstances::restart() {
  for (std::size_t t = 0; t < lists_.size(); ++t) {
    lists_[t].clear();
    readFrom_[t] = 0;
  }
}

bool ObjectInstances::complete() const {
  return std::all_of(readFrom_.begin(), readFrom_.end(), [](std::int32_t r) { return r < 0; });
}

bool ObjectInstances::update(const Document &document, long long maxItems) {
  cameraY_ = cameraPovY(document);
  for (std::size_t t = 0; t < lists_.size() && maxItems > 0; ++t) {
    std::int32_t &from = readFrom_[t];
    if (from < 0)
      continue;
    const ScData &records = document.objects()[t];
    std::vector<Instance> &list = lists_[t];
    list.resize(static_cast<std::size_t>(std::min(from, records.count())));
    list.reserve(static_cast<std::size_t>(records.count()));
    const auto end = static_cast<std::int32_t>(
        std::min<long long>(records.count(), static_cast<long long>(from) + maxItems));
    for (std::int32_t i = from; i < end; ++i)
      list.push_back(instanceOf(document, records[i], cameraY_));
    maxItems -= end - from;
    from = end >= records.count() ? -1 : end;
  }
  return complete();
}

bool ObjectInstances::refresh(const Document &document, std::int32_t heightMode) {
  bool any = false;
  for (std::size_t t = 0; t < lists_.size(); ++t) {
    if (readFrom_[t] >= 0)
      continue; // read afresh anyway
    const ScData &records = document.objects()[t];
    const auto n =
        std::min<std::size_t>(lists_[t].size(), static_cast<std::size_t>(records.count()));
    for (std::size_t i = 0; i < n; ++i)
      if (records[static_cast<std::int32_t>(i)].heightMode == heightMode) {
        lists_[t][i] = instanceOf(document, records[static_cast<std::int32_t>(i)], cameraY_);
        any = true;
      }
  }
  return any;
}

bool ObjectInstances::hear(const Document &document, const DocumentChange &change) {
  const auto t = static_cast<std::size_t>(change.type);
  const bool oneList = change.type >= 0 && t < lists_.size();
  switch (change.kind) {
  case DocumentChange::Camera:
  case DocumentChange::Water: { // the camera may stand above the water
    bool any = change.kind == DocumentChange::Water && refresh(document, AboveWater);
    if (std::exchange(cameraY_, cameraPovY(document)) != cameraY_)
      any = refresh(document, AboveCamera) || any;
    return any;
  }
  case DocumentChange::LookAt:
  case DocumentChange::Smoothing:
    return false;
  case DocumentChange::Appended:
  case DocumentChange::Removed:
  case DocumentChange::Inserted:
  case DocumentChange::Changed:
    if (oneList && readFrom_[t] < 0)
      break;
    [[fallthrough]];
  default: // everything, or a list still being read: read again
    if (oneList) {
      readFrom_[t] = 0;
      lists_[t].clear();
    } else {
      restart();
    }
    return true;
  }
  applyToList(document, change);
  return true;
}

void ObjectInstances::applyToList(const Document &document, const DocumentChange &change) {
  const auto t = static_cast<std::size_t>(change.type);
  std::vector<Instance> &list = lists_[t];
  const ScData &records = document.objects()[t];
  const std::vector<std::int32_t> &at = change.indices;
  switch (change.kind) {
  case DocumentChange::Appended:
    if (change.first != static_cast<std::int32_t>(list.size()) || change.count > kReadAtOnce) {
      readFrom_[t] = std::min(change.first, static_cast<std::int32_t>(list.size()));
      break;
    }
    for (std::int32_t i = change.first; i < change.first + change.count; ++i)
      list.push_back(instanceOf(document, records[i], cameraY_));
    break;
  case DocumentChange::Removed:
    removeFrom(list, change);
    break;
  case DocumentChange::Inserted: {
    std::vector<Instance> merged;
    merged.reserve(list.size() + at.size());
    std::size_t old = 0, next = 0;
    for (std::int32_t i = 0; i < records.count(); ++i) {
      if (next < at.size() && at[next] == i) {
        merged.push_back(instanceOf(document, records[i], cameraY_));
        ++next;
      } else if (old < list.size()) {
        merged.push_back(list[old++]);
      }
    }
    list.swap(merged);
    break;
  }
  default: // Changed
    for (const std::int32_t i : at)
      if (i >= 0 && static_cast<std::size_t>(i) < list.size() && i < records.count())
        list[static_cast<std::size_t>(i)] = instanceOf(document, records[i], cameraY_);
    break;
  }
  if (list.size() != static_cast<std::size_t>(records.count()) && readFrom_[t] < 0) {
    readFrom_[t] = 0; // out of step: read it again
    list.clear();
  }
}

long long ObjectDraw::count() const {
  long long n = static_cast<long long>(points.size());
  for (const auto &s : shapes)
    n += static_cast<long long>(s.size());
  return n;
}

namespace {

// Depth bins, eight an octave: the nearest objects become shapes.
constexpr int kBins = 512;

// How objects look from the eye.
class Sight {
public:
  Sight(const QMatrix4x4 &viewProjection, double pixelsPerUnit)
      : m_(viewProjection.constData()), // column by column
        stretchX_(std::abs(m_[0]) + std::abs(m_[4]) + std::abs(m_[8])),
        stretchY_(std::abs(m_[1]) + std::abs(m_[5]) + std::abs(m_[9])),
        ppu_(static_cast<float>(pixelsPerUnit)) {}

  // -1 out of view or smaller than half a pixel, else its depth bin (plus
  // kBins when it is too small for a shape); area receives the square of its
  // reach in pixels.
  int look(const Instance &o, float reach, double &area) const {
    const float w = m_[3] * o.x + m_[7] * o.y + m_[11] * o.z + m_[15];
    const float r = reach * o.scale;
    if (w <= 1e-6f || r * ppu_ < 0.5f * w)
      return -1;
    const float x = m_[0] * o.x + m_[4] * o.y + m_[8] * o.z + m_[12];
    const float y = m_[1] * o.x + m_[5] * o.y + m_[9] * o.z + m_[13];
    if (std::abs(x) > w + r * stretchX_ || std::abs(y) > w + r * stretchY_)
      return -1;
    const double pixels = double(r) * ppu_ / w;
    area = pixels * pixels;
    const int bin = std::clamp(static_cast<int>((std::log2(w) + 32.0f) * 8.0f), 0, kBins - 1);
    return bin + (pixels < 2.0 ? kBins : 0);
  }

private:
  const float *m_;
  float stretchX_, stretchY_, ppu_;
};

// The same objects stay points from frame to frame: a hash of which it is.
std::uint32_t stableHash(std::size_t index, int type) {
  std::uint32_t h = static_cast<std::uint32_t>(index) * 2654435761u ^
                    static_cast<std::uint32_t>(type) * 0x9E3779B9u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  return h ^ (h >> 12);
}

struct Cut {
  int bin;                   // shapes are the objects in the bins below it
  long long shapes, objects; // how many shapes, how many objects to draw at all
};

// Counts the objects to draw by depth bin, and where the nearest stop fitting
// the budget as shapes.
Cut shapeCut(const ObjectInstances &objects, const Sight &sight, const ObjectBudget &budget) {
  std::array<long long, std::size_t{2} * kBins> counts{};
  std::array<double, kBins> areas{};
  double area = 0;
  for (int t = 0; t < kObjectTypes; ++t) {
    const float reach = shapeSize(t).reach;
    for (const Instance &o : objects.list(t))
      if (const int b = sight.look(o, reach, area); b >= 0) {
        ++counts[static_cast<std::size_t>(b)];
        if (b < kBins)
          areas[static_cast<std::size_t>(b)] += area;
      }
  }
  Cut cut{0, 0, 0};
  for (const long long n : counts)
    cut.objects += n;
  for (area = 0; cut.bin < kBins; ++cut.bin) {
    const auto b = static_cast<std::size_t>(cut.bin);
    if (cut.shapes + counts[b] > budget.shapes || area + areas[b] > budget.area)
      break;
    cut.shapes += counts[b];
    area += areas[b];
  }
  return cut;
}

} // namespace

void chooseObjects(const ObjectInstances &objects, const QMatrix4x4 &viewProjection,
                   double pixelsPerUnit, const ObjectBudget &budget, ObjectDraw &out) {
  for (auto &s : out.shapes)
    s.clear();
  out.points.clear();
  const Sight sight(viewProjection, pixelsPerUnit);
  const auto [cut, shapes, total] = shapeCut(objects, sight, budget);
  double area = 0;
  const long long rest = total - shapes;
  const double keep =
      rest <= 0 ? 1.0 : std::clamp(double(budget.drawn - shapes) / double(rest), 0.0, 1.0);
  const auto kept = static_cast<std::uint32_t>(keep * 4294967295.0);
  for (int t = 0; t < kObjectTypes; ++t) {
    const ShapeSize size = shapeSize(t);
    const QVector3D colour = typeColour(t);
    const std::vector<Instance> &list = objects.list(t);
    for (std::size_t i = 0; i < list.size(); ++i) {
      const Instance &o = list[i];
      const int b = sight.look(o, size.reach, area);
      if (b >= 0 && b < cut)
        out.shapes[static_cast<std::size_t>(t)].push_back(o);
      else if (b >= 0 && (keep >= 1.0 || stableHash(i, t) < kept))
        out.points.push_back(
            {o.x, o.y + size.middle * o.scale, o.z, colour.x(), colour.y(), colour.z()});
    }
  }
}

} // namespace hs::view3d
