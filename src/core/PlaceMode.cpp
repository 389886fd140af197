#include "core/PlaceMode.h"

namespace hs {

namespace {

struct ModeTexts {
  const char *entry;
  const char *label;
};

constexpr ModeTexts kModes[kModeCount] = {
    {"Place Single Object", "Place Single Object"},
    {"Place Objects LINE", "Place Objects LINE"},
    {"Place Objects BOX", "Place Objects BOX"},
    {"Place Objects Circle", "Place Objects Circle"},
    {" Place Camera ", nullptr},
    {" Point camera at", nullptr},
    {" Get Water Level", nullptr},
    {" DELETE Object", "Delete Objects"},
    {" Edit Object", "Edit Objects"},
    {" Move Object", "Move Object"},
    {" Move All Objects", "Move All Objects"},
    {"Select & Move Objects", "Select/Move Objects"},
};

} // namespace

const char *modeEntryText(int mode) {
  return mode >= 0 && mode < kModeCount ? kModes[mode].entry : "";
}

const char *modeLabel(int mode) {
  return mode >= 0 && mode < kModeCount ? kModes[mode].label : nullptr;
}

} // namespace hs
