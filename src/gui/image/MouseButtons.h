#pragma once

namespace hs {

// Mouse buttons as the program numbers them; shared by the canvas pane and
// the model's mouse handlers.
inline constexpr int kLeftButton = 1;
inline constexpr int kMiddleButton = 2;
inline constexpr int kRightButton = 3;

} // namespace hs
