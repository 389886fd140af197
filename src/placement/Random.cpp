#include "placement/Random.h"

#include "core/Icons.h"

#include <algorithm>

namespace hs {

void seedRandom(ProgramValues &values) {
  values.randomState = 1;
  nextRandom(values);
}

int nextRandom(ProgramValues &values) {
  values.randomState = values.randomState * 22695477u + 1u;
  return static_cast<int>((values.randomState >> 16) & 32767u);
}

int currentTypeIndex(const ProgramValues &values) {
  return std::clamp(values.currentType, 0, kObjectTypes - 1);
}

int randomTypeFor(ProgramValues &values) {
  const int current = currentTypeIndex(values);
  if (values.fillRandomType == 0)
    return current;
  const long double r = nextRandom(values);
  // 32767 / 32766 can push the product just past current; that is clamped.
  const int type = static_cast<int>(r * (current + 1) * kRandomScale);
  return std::min(type, current);
}

} // namespace hs
