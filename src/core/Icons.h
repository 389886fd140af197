#pragma once

#include "gui/image/vColor.h"
#include "gui/image/vIcon.h"

#include <array>

namespace hs {

inline constexpr vColor waterColour{18, 19, 238};
inline constexpr vColor unseenColour{128, 128, 128};
inline constexpr vColor paneBackground{18, 19, 138};

inline constexpr int kObjectTypes = 16;

// The camera (15 x 15, opaque) and the look-at cross-hair (15 x 15, drawn
// transparent, so its grey background is left out).
const vIcon &cameraIcon();
const vIcon &lookIcon();
// The 7 x 7 marker of each object type, showing its number.
const std::array<vIcon, kObjectTypes> &builtinMarkers();

} // namespace hs
