#pragma once

#include "gui/image/vColor.h"

namespace hs {

enum class LineStyle { Solid, Dash, Dot };

struct vPen {
  vColor colour = kBlack;
  int width = 1;
  LineStyle style = LineStyle::Solid;

  bool operator==(const vPen &) const = default;
};

enum class FillStyle { Solid, Hollow };

struct vBrush {
  vColor colour = kWhite;
  FillStyle style = FillStyle::Solid;

  bool operator==(const vBrush &) const = default;
};

} // namespace hs
