#pragma once

#include "core/ProgramValues.h"
#include "gui/vDialog.h"

#include <functional>
#include <span>
#include <string>

namespace hs {

// "Scatter", modeless: the rules the Scatter tool places by. Every change
// counts at once: a typed value as soon as it reads as a good one (a field
// that does not is tinted and named below the fields, and its rule keeps
// the last good value), a box or button when clicked. "Whole Map" scatters
// over the whole map through the window. The density image is named, and
// read when a scatter starts.
class ScatterDialog : public vDialog {
public:
  // Control ids.
  enum Control : int {
    kShapeFrame = 1000,
    kBox = 1001,
    kEllipse = 1002,
    kSpacingLabel = 1003,
    kSpacing = 1004,
    kCountLabel = 1005,
    kCount = 1006,
    kAltitude = 1007,
    kLowest = 1008,
    kAltitudeTo = 1009,
    kHighest = 1010,
    kNoWater = 1011,
    kSlope = 1012,
    kMaxSlope = 1013,
    kSlopeUnit = 1014,
    kTurnLabel = 1015,
    kTurnFrom = 1016,
    kTurnTo = 1017,
    kSizeLabel = 1018,
    kSizeFrom = 1019,
    kSizeTo = 1020,
    kSeedLabel = 1021,
    kSeed = 1022,
    kNewSeed = 1023,
    kMix = 1024,
    kProblem = 1025,
    kWholeMap = 1026,
    kTurnDash = 1027,
    kSizeDash = 1028,
    kRadiusLabel = 1029,
    kDensityLabel = 1030,
    kDensity = 1031,
    kDensityChoose = 1032,
    kClumps = 1033,
    kClumpSpacing = 1034,
    kClumpRadiusLabel = 1035,
    kClumpRadius = 1036,
    kClumpCountLabel = 1037,
    kClumpLeast = 1038,
    kClumpDash = 1039,
    kClumpMost = 1040,
    kClumpInnerLabel = 1041,
    kClumpInner = 1042,
    kTypeLabel = 1100,       // + type index 0..15
    kWeight = 1200,          // + type index 0..15
    kRadiusTypeLabel = 1300, // + type index 0..15
    kRadius = 1400,          // + type index 0..15: a footprint radius, empty for none
  };

  ScatterDialog(QWidget *parent, ProgramValues &values, std::function<void()> wholeMap);
  static std::span<const CommandObject> commands();

  void onShown() override;
  void onCommand(int id, int value, CmdKind kind) override;

  // Reads every field into the rules; the text naming the fields that do not
  // read, empty when all do.
  std::string readFields();

private:
  void showRules();
  // Tints the field id when it is not good and names it in problem and the rules.
  void mark(int id, bool good, const char *name, std::string &problem);
  void readClumps(std::string &problem);
  void chooseDensityImage();

  ProgramValues &values_;
  std::function<void()> wholeMap_;
  int densityFilter_ = 0;
};

} // namespace hs
