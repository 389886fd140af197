#include "core/Icons.h"

namespace hs {

namespace {

constexpr ColourValue kX = 0x000000;    // black
constexpr ColourValue kO = 0xFFFFFF;    // white
constexpr ColourValue kGrey = 0xBFBFBF; // (191, 191, 191)
constexpr ColourValue kCyan = 0xFFFF00; // (0, 255, 255) as 0x00BBGGRR

// The sixteen markers side by side, seven columns each with two blanks between.
constexpr std::string_view kMarkerRows1to8[7] = {
    "XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX",
    "XXooXXX  XXoooXX  XXoooXX  XXoXoXX  XXoooXX  XXoooXX  XXoooXX  XXooooX",
    "XXXoXXX  XXXXoXX  XXXXoXX  XXoXoXX  XXoXXXX  XXoXXXX  XXXXoXX  XXoXXoX",
    "XXXoXXX  XXXoXXX  XXXooXX  XXoooXX  XXoooXX  XXoooXX  XXXoXXX  XXooooX",
    "XXXoXXX  XXoXXXX  XXXXoXX  XXXXoXX  XXXXoXX  XXoXoXX  XXXoXXX  XXoXXoX",
    "XXoooXX  XXoooXX  XXoooXX  XXXXoXX  XXoooXX  XXoooXX  XXXoXXX  XXooooX",
    "XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX",
};
constexpr std::string_view kMarkerRows9to16[7] = {
    "XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX",
    "XXoooXX  XoXXoXX  XXoXoXX  XoXoooX  XoXoooX  XoXoXoX  XoXoooX  XoXoooX",
    "XXoXoXX  XoXoXoX  XXoXoXX  XoXXXoX  XoXXXoX  XoXoXoX  XoXoXXX  XoXoXXX",
    "XXoooXX  XoXoXoX  XXoXoXX  XoXXoXX  XoXXooX  XoXoooX  XoXoooX  XoXoooX",
    "XXXXoXX  XoXoXoX  XXoXoXX  XoXoXXX  XoXXXoX  XoXXXoX  XoXXXoX  XoXoXoX",
    "XXXXoXX  XoXXooX  XXoXoXX  XoXoooX  XoXoooX  XoXXXoX  XoXoooX  XoXoooX",
    "XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX  XXXXXXX",
};

vIcon markerFrom(const std::string_view (&rows)[7], int column, ColourValue ink) {
  vIcon icon;
  icon.width = 7;
  icon.height = 7;
  icon.pixels.reserve(49);
  for (const std::string_view row : rows)
    for (int x = 0; x < 7; ++x)
      icon.pixels.push_back(
          row[static_cast<std::size_t>(column) * 9 + static_cast<std::size_t>(x)] == 'o' ? ink
                                                                                         : kX);
  return icon;
}

} // namespace

const vIcon &cameraIcon() {
  static const vIcon icon = iconFromRows(
      {
          "ooooooooooooooo",
          "oooooooooXXoooo",
          "oooooooooXXoooo",
          "oooXXooooXXoooo",
          "oXXXXXXXXXXXXXo",
          "oX++o++++++XoXo",
          "oX+o++XXX++XXXo",
          "oXo++XoooX+++Xo",
          "oX++Xo+o+oX++Xo",
          "oX++Xoo+ooX++Xo",
          "oX++Xo+o+oX++Xo",
          "oX+++XoooX+++Xo",
          "oX++++XXX++++Xo",
          "oXXXXXXXXXXXXXo",
          "ooooooooooooooo",
      },
      {{'X', kX}, {'o', kO}, {'+', kGrey}}, false);
  return icon;
}

const vIcon &lookIcon() {
  static const vIcon icon = iconFromRows(
      {
          "+++++++++++++++",
          "+oX+++++++++Xo+",
          "+XoX++ooo++XoX+",
          "++XXXoooooXXX++",
          "+++XXXoooXXX+++",
          "+++oXXXoXXXo+++",
          "++oooXXXXXooo++",
          "++ooooXoXoooo++",
          "++oooXXXXXooo++",
          "+++oXXXoXXXo+++",
          "+++XXXoooXXX+++",
          "++XXXoooooXXX++",
          "+XoX++ooo++XoX+",
          "+oX+++++++++Xo+",
          "+++++++++++++++",
      },
      {{'X', kX}, {'o', kO}, {'+', kGrey}}, true);
  return icon;
}

const std::array<vIcon, kObjectTypes> &builtinMarkers() {
  static const std::array<vIcon, kObjectTypes> markers = [] {
    std::array<vIcon, kObjectTypes> m;
    for (int t = 0; t < 8; ++t) {
      m[static_cast<std::size_t>(t)] = markerFrom(kMarkerRows1to8, t, kO);
      m[static_cast<std::size_t>(t) + 8] = markerFrom(kMarkerRows9to16, t, kCyan);
    }
    return m;
  }();
  return markers;
}

} // namespace hs
