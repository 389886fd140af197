#pragma once

#include <string_view>

namespace hs {

// One converted value: f for a "%f" field, i for a "%i" field.
union Scanned {
  float f;
  int i;
};

// The line formats our text files use. Fields are separated by single commas.
enum class LineFormat {
  Item,      // "%f,%f,%f,%i,%f", an item of the place data file
  Object,    // "%f,%f,%f,%i,%f,%f,%f", an object: an item, its turn and size
  Floats3,   // "%f,%f,%f"
  WaterLine, // "%f,%i,%i"
  Header,    // "%i,%i"
  Int,       // "%i", the units line of the settings file
  Ints3,     // "%i,%i,%i", a palette line
};

// Converts line as sscanf with that format would in the C locale, and returns
// the number of values assigned (0 when none, never negative), except that a
// "%f" field whose float is not finite ("nan", "inf", or "1e39", which is too
// large for a float) ends the conversion there and is not counted. Text after the
// last converted value is ignored. Plain decimal numbers take a fast path;
// anything else (exponents, hex, octal, inf, nan, a leading '.') goes to the C
// library itself, so both paths give the same values.
int scanLine(std::string_view line, LineFormat format, Scanned *out);

} // namespace hs
