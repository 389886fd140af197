// What the height-field readers share: size checks and the map pixel of a 16-bit level.
#pragma once

#include <cstdint>

class QIODevice;

namespace hs::height_field_read {

// A claimed size the input cannot hold is short data, found before an image
// of that size is made. Pipes and other unsized inputs are simply read.
bool canHold(const QIODevice &in, std::uint64_t needed);

// Whether a reader accepts a map of this width and height.
bool sizeAccepted(long long w, long long h);

// The map pixel of a 16-bit height level: red its low byte, green and blue
// its high one (0xFFRRGGBB).
std::uint32_t levelPixel(std::uint32_t level);

} // namespace hs::height_field_read
