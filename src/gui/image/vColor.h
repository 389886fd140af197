#pragma once

#include <cstdint>

namespace hs {

// A colour value is 0x00BBGGRR: red in the low byte, blue in bits 16..23.
using ColourValue = std::uint32_t;

// Returned by pixel reads outside an image; never a real colour value.
inline constexpr ColourValue kNoColour = 0xFFFFFFFFu;

class vColor {
public:
  constexpr vColor() = default;
  constexpr vColor(int r, int g, int b)
      : r_(static_cast<std::uint8_t>(r)), g_(static_cast<std::uint8_t>(g)),
        b_(static_cast<std::uint8_t>(b)) {}

  static constexpr vColor fromValue(ColourValue v) {
    return vColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
  }
  constexpr ColourValue value() const {
    return static_cast<ColourValue>(r_) | (static_cast<ColourValue>(g_) << 8) |
           (static_cast<ColourValue>(b_) << 16);
  }

  constexpr int r() const { return r_; }
  constexpr int g() const { return g_; }
  constexpr int b() const { return b_; }

  constexpr bool operator==(const vColor &) const = default;

private:
  std::uint8_t r_ = 0;
  std::uint8_t g_ = 0;
  std::uint8_t b_ = 0;
};

// Conversions between our colour values and Qt's 0xAARRGGBB pixels.
constexpr std::uint32_t toQtPixel(ColourValue v) {
  return 0xFF000000u | ((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu);
}
constexpr ColourValue fromQtPixel(std::uint32_t p) {
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

inline constexpr vColor kBlack{0, 0, 0};
inline constexpr vColor kWhite{255, 255, 255};

} // namespace hs
