#pragma once

#include "core/ProgramValues.h"

namespace hs {

// The fill tools scale generator values by 1/32766, held in extended precision
// so that results match to the last bit.
inline constexpr long double kRandomScale = 1.0L / 32766.0L;

// Start-up seeding: the state becomes 1 and the generator advances once.
void seedRandom(ProgramValues &values);
// The next value 0..32767 of the program's one generator.
int nextRandom(ProgramValues &values);
// The type of one filled object: currentType, or with fillRandomType on a
// random type 0..currentType (draws one value).
int randomTypeFor(ProgramValues &values);

// currentType forced into the sixteen list indices.
int currentTypeIndex(const ProgramValues &values);

} // namespace hs
