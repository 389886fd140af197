#include "core/Icons.h"
#include "view/Redraw.h"

#include <gtest/gtest.h>

namespace hs {
namespace {

// The built-in pictures as drawn in the program's documentation, one
// character a pixel: X black, o white (cyan for types 9 to 16), + grey.

const char *const kMarkerArt[16][7] = {
    {"XXXXXXX", "XXooXXX", "XXXoXXX", "XXXoXXX", "XXXoXXX", "XXoooXX", "XXXXXXX"},
    {"XXXXXXX", "XXoooXX", "XXXXoXX", "XXXoXXX", "XXoXXXX", "XXoooXX", "XXXXXXX"},
    {"XXXXXXX", "XXoooXX", "XXXXoXX", "XXXooXX", "XXXXoXX", "XXoooXX", "XXXXXXX"},
    {"XXXXXXX", "XXoXoXX", "XXoXoXX", "XXoooXX", "XXXXoXX", "XXXXoXX", "XXXXXXX"},
    {"XXXXXXX", "XXoooXX", "XXoXXXX", "XXoooXX", "XXXXoXX", "XXoooXX", "XXXXXXX"},
    {"XXXXXXX", "XXoooXX", "XXoXXXX", "XXoooXX", "XXoXoXX", "XXoooXX", "XXXXXXX"},
    {"XXXXXXX", "XXoooXX", "XXXXoXX", "XXXoXXX", "XXXoXXX", "XXXoXXX", "XXXXXXX"},
    {"XXXXXXX", "XXooooX", "XXoXXoX", "XXooooX", "XXoXXoX", "XXooooX", "XXXXXXX"},
    {"XXXXXXX", "XXoooXX", "XXoXoXX", "XXoooXX", "XXXXoXX", "XXXXoXX", "XXXXXXX"},
    {"XXXXXXX", "XoXXoXX", "XoXoXoX", "XoXoXoX", "XoXoXoX", "XoXXooX", "XXXXXXX"},
    {"XXXXXXX", "XXoXoXX", "XXoXoXX", "XXoXoXX", "XXoXoXX", "XXoXoXX", "XXXXXXX"},
    {"XXXXXXX", "XoXoooX", "XoXXXoX", "XoXXoXX", "XoXoXXX", "XoXoooX", "XXXXXXX"},
    {"XXXXXXX", "XoXoooX", "XoXXXoX", "XoXXooX", "XoXXXoX", "XoXoooX", "XXXXXXX"},
    {"XXXXXXX", "XoXoXoX", "XoXoXoX", "XoXoooX", "XoXXXoX", "XoXXXoX", "XXXXXXX"},
    {"XXXXXXX", "XoXoooX", "XoXoXXX", "XoXoooX", "XoXXXoX", "XoXoooX", "XXXXXXX"},
    {"XXXXXXX", "XoXoooX", "XoXoXXX", "XoXoooX", "XoXoXoX", "XoXoooX", "XXXXXXX"},
};
const char *const kCameraArt[15] = {
    "ooooooooooooooo", "oooooooooXXoooo", "oooooooooXXoooo", "oooXXooooXXoooo", "oXXXXXXXXXXXXXo",
    "oX++o++++++XoXo", "oX+o++XXX++XXXo", "oXo++XoooX+++Xo", "oX++Xo+o+oX++Xo", "oX++Xoo+ooX++Xo",
    "oX++Xo+o+oX++Xo", "oX+++XoooX+++Xo", "oX++++XXX++++Xo", "oXXXXXXXXXXXXXo", "ooooooooooooooo"};
const char *const kLookArt[15] = {
    "+++++++++++++++", "+oX+++++++++Xo+", "+XoX++ooo++XoX+", "++XXXoooooXXX++", "+++XXXoooXXX+++",
    "+++oXXXoXXXo+++", "++oooXXXXXooo++", "++ooooXoXoooo++", "++oooXXXXXooo++", "+++oXXXoXXXo+++",
    "+++XXXoooXXX+++", "++XXXoooooXXX++", "+XoX++ooo++XoX+", "+oX+++++++++Xo+", "+++++++++++++++"};

ColourValue colourOf(char c, ColourValue ink) {
  switch (c) {
  case 'X':
    return 0x000000;
  case 'o':
    return ink;
  default:
    return 0xBFBFBF;
  }
}

void expectArt(const vIcon &icon, const char *const *rows, int size, ColourValue ink) {
  ASSERT_EQ(icon.width, size);
  ASSERT_EQ(icon.height, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      EXPECT_EQ(icon.at(x, y), colourOf(rows[y][x], ink)) << x << "," << y;
}

TEST(Icons, MarkersPixelForPixel) {
  for (int t = 0; t < kObjectTypes; ++t) {
    SCOPED_TRACE(t + 1);
    expectArt(builtinMarkers()[static_cast<std::size_t>(t)], kMarkerArt[t], 7,
              t < 8 ? 0xFFFFFFu : 0xFFFF00u); // cyan is 0x00BBGGRR 0xFFFF00
  }
}

TEST(Icons, CameraAndLookAtPixelForPixel) {
  expectArt(cameraIcon(), kCameraArt, 15, 0xFFFFFF);
  expectArt(lookIcon(), kLookArt, 15, 0xFFFFFF);
}

TEST(Icons, LookAtLeavesItsGreyOutAndTheCameraDoesNot) {
  Scene s;
  s.baseImage.clear();
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x)
      s.baseImage.writePixel(x, y, 0x123456);
  s.camera = {50, 0, 50, AboveWater, 1};
  s.lookAt = {150, 0, 50, AboveGround, 0};
  ProgramValues values;
  redraw(s, values);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 15; ++x) {
      EXPECT_EQ(s.viewImage.readPixel(43 + x, 43 + y), colourOf(kCameraArt[y][x], 0xFFFFFF));
      const char c = kLookArt[y][x];
      EXPECT_EQ(s.viewImage.readPixel(143 + x, 43 + y),
                c == '+' ? 0x123456u : colourOf(c, 0xFFFFFF));
    }
}

} // namespace
} // namespace hs
