#include "app/Memory.h"

#include <QSettings>

#include <array>
#include <cmath>

namespace hs {

namespace {

constexpr const char *kRecentKey = "files/recent";

// A number that must be finite and inside [lo, hi] to be taken.
void recall(const QSettings &memory, const char *key, double lo, double hi, double &target) {
  bool ok = false;
  const double v = memory.value(key).toDouble(&ok);
  if (ok && std::isfinite(v) && v >= lo && v <= hi)
    target = v;
}

template <class T>
void recallWhole(const QSettings &memory, const char *key, T lo, T hi, T &target) {
  double v = static_cast<double>(target);
  recall(memory, key, static_cast<double>(lo), static_cast<double>(hi), v);
  if (v == std::floor(v))
    target = static_cast<T>(v);
}

void recallFlag(const QSettings &memory, const char *key, bool &target) {
  if (memory.contains(key))
    target = memory.value(key).toBool();
}

// The density image's name and the clumps, taken only when they would pass the dialog.
void recallLandscape(const QSettings &memory, ScatterRules &r) {
  if (memory.contains("scatter/densityFile"))
    r.densityFile = memory.value("scatter/densityFile").toString().toStdString();
  recallFlag(memory, "scatter/useClumps", r.clumps.use);
  const QVariantList clumps = memory.value("scatter/clumps").toList();
  if (clumps.size() != 5)
    return;
  std::array<double, 5> v{};
  for (std::size_t i = 0; i < v.size(); ++i) {
    bool ok = false;
    v[i] = clumps[static_cast<qsizetype>(i)].toDouble(&ok);
    if (!ok)
      return;
  }
  if (badClumpValues(v[0], v[1], v[2], v[3], v[4], v[4] != 0) == 0)
    r.clumps = {v[0], v[1], static_cast<int>(v[2]), static_cast<int>(v[3]), v[4], r.clumps.use};
}

} // namespace

void rememberValues(QSettings &memory, const ProgramValues &values, const DisplayToggles &shown) {
  memory.setValue("fill/count", values.fillCount);
  memory.setValue("fill/randomPlace", values.fillRandomPlace);
  memory.setValue("fill/randomType", values.fillRandomType);
  const ScatterRules &r = values.scatter;
  memory.setValue("scatter/spacing", r.spacing);
  memory.setValue("scatter/count", r.count);
  memory.setValue("scatter/lowest", r.lowest);
  memory.setValue("scatter/highest", r.highest);
  memory.setValue("scatter/maxSlope", r.maxSlope);
  memory.setValue("scatter/turnFrom", r.turnFrom);
  memory.setValue("scatter/turnTo", r.turnTo);
  memory.setValue("scatter/sizeFrom", r.sizeFrom);
  memory.setValue("scatter/sizeTo", r.sizeTo);
  memory.setValue("scatter/seed", r.seed);
  memory.setValue("scatter/ellipse", r.shape == ScatterShape::Ellipse);
  memory.setValue("scatter/useAltitude", r.useAltitude);
  memory.setValue("scatter/noWater", r.noWater);
  memory.setValue("scatter/useSlope", r.useSlope);
  memory.setValue("scatter/useMix", r.useMix);
  QVariantList weights;
  for (double w : r.weights)
    weights.push_back(w);
  memory.setValue("scatter/weights", weights);
  QVariantList radii;
  for (double radius : r.radii)
    radii.push_back(radius);
  memory.setValue("scatter/radii", radii);
  memory.setValue("scatter/densityFile", QString::fromStdString(r.densityFile));
  memory.setValue("scatter/useClumps", r.clumps.use);
  memory.setValue("scatter/clumps", QVariantList{r.clumps.spacing, r.clumps.radius, r.clumps.least,
                                                 r.clumps.most, r.clumps.inner});
  memory.setValue("display/water", shown.water);
  memory.setValue("display/view", shown.view);
  memory.setValue("display/order", shown.order);
  memory.setValue("display/reliefTarga", shown.relief[0]);
  memory.setValue("display/relief16", shown.relief[1]);
}

void recallValues(const QSettings &memory, ProgramValues &values, DisplayToggles &shown) {
  recallWhole(memory, "fill/count", 0, 10'000'000, values.fillCount);
  recallWhole(memory, "fill/randomPlace", 0, 1, values.fillRandomPlace);
  recallWhole(memory, "fill/randomType", 0, 1, values.fillRandomType);
  ScatterRules &r = values.scatter;
  recall(memory, "scatter/spacing", 1, 4096, r.spacing);
  recallWhole(memory, "scatter/count", 0LL, 10'000'000LL, r.count);
  recall(memory, "scatter/lowest", -1e30, 1e30, r.lowest);
  recall(memory, "scatter/highest", -1e30, 1e30, r.highest);
  recall(memory, "scatter/maxSlope", 0, 90, r.maxSlope);
  recall(memory, "scatter/turnFrom", -1e6, 1e6, r.turnFrom);
  recall(memory, "scatter/turnTo", -1e6, 1e6, r.turnTo);
  recall(memory, "scatter/sizeFrom", 1e-6, 1e6, r.sizeFrom);
  recall(memory, "scatter/sizeTo", 1e-6, 1e6, r.sizeTo);
  recallWhole(memory, "scatter/seed", 0u, 4294967295u, r.seed);
  bool ellipse = r.shape == ScatterShape::Ellipse;
  recallFlag(memory, "scatter/ellipse", ellipse);
  r.shape = ellipse ? ScatterShape::Ellipse : ScatterShape::Box;
  recallFlag(memory, "scatter/useAltitude", r.useAltitude);
  recallFlag(memory, "scatter/noWater", r.noWater);
  recallFlag(memory, "scatter/useSlope", r.useSlope);
  recallFlag(memory, "scatter/useMix", r.useMix);
  const QVariantList weights = memory.value("scatter/weights").toList();
  if (weights.size() == kObjectTypes)
    for (int t = 0; t < kObjectTypes; ++t) {
      bool ok = false;
      const double w = weights[t].toDouble(&ok);
      if (ok && std::isfinite(w) && w >= 0)
        r.weights[static_cast<std::size_t>(t)] = w;
    }
  const QVariantList radii = memory.value("scatter/radii").toList();
  if (radii.size() == kObjectTypes)
    for (int t = 0; t < kObjectTypes; ++t) {
      bool ok = false;
      const double radius = radii[t].toDouble(&ok);
      if (ok && radius <= 4096 && (radius >= 0 || radius == -1))
        r.radii[static_cast<std::size_t>(t)] = radius;
    }
  recallLandscape(memory, r);
  recallFlag(memory, "display/water", shown.water);
  recallFlag(memory, "display/view", shown.view);
  recallFlag(memory, "display/order", shown.order);
  recallWhole(memory, "display/reliefTarga", 0, 1, shown.relief[0]);
  recallWhole(memory, "display/relief16", 0, 1, shown.relief[1]);
}

QStringList recentFiles(const QSettings &memory) {
  QStringList files = memory.value(kRecentKey).toStringList();
  files.removeAll(QString());
  files.removeDuplicates();
  while (files.size() > kRecentFiles)
    files.removeLast();
  return files;
}

void addRecentFile(QSettings &memory, const QString &name) {
  QStringList files = recentFiles(memory);
  files.removeAll(name);
  files.prepend(name);
  while (files.size() > kRecentFiles)
    files.removeLast();
  memory.setValue(kRecentKey, files);
}

} // namespace hs
