#pragma once

#include "core/ScatterRules.h"

#include <string>

namespace hs {

// Reads a density image from any file the map readers read (PNG, PGM, PPM,
// Targa) as its levels: an 8-bit grey b as b / 255, a 16-bit level v as
// v / 65535, a colour-mapped Targa by its index (the palette plays no part).
// Returns a height-field LoadResult; image changes only on Loaded.
int readDensityImage(const std::string &path, DensityImage &image);

// Reads the image rules.densityFile names into rules.density (left as it is
// when the name is empty), as the command-line tool and the window both do before a
// scatter: why it cannot be read (without the name), or empty.
std::string readDensityRule(ScatterRules &rules);

} // namespace hs
