#include "core/ProgramValues.h"

namespace hs {

ProgramValues &programValues() {
  static ProgramValues values;
  return values;
}

} // namespace hs
