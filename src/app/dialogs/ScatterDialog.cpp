#include "app/dialogs/ScatterDialog.h"

#include "core/Names.h"
#include "gui/vInteraction.h"

#include <QLineEdit>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <span>

namespace hs {

namespace {

using D = ScatterDialog;

constexpr const char *kTypeNames[kObjectTypes] = {
    "Obj 1", "Obj 2", "Obj 3", "Obj 4", "Obj 5", "Obj 6", "Obj 7", "Obj 8",
    "Obj 9", "Obj10", "Obj11", "Obj12", "Obj13", "Obj14", "Obj15", "Obj16"};

constexpr CommandObject kFixedCmds[] = {
    {.kind = CmdKind::Frame, .id = D::kShapeFrame, .label = "Drag a"},
    {.kind = CmdKind::RadioButton,
     .id = D::kBox,
     .value = 1,
     .label = "Box",
     .frame = D::kShapeFrame},
    {.kind = CmdKind::RadioButton,
     .id = D::kEllipse,
     .label = "Ellipse",
     .frame = D::kShapeFrame,
     .rightOf = D::kBox},
    {.kind = CmdKind::Button,
     .id = D::kWholeMap,
     .label = "Whole Map",
     .rightOf = D::kShapeFrame,
     .tip = "Scatter over the whole map now"},
    {.kind = CmdKind::StaticText,
     .id = D::kSpacingLabel,
     .label = "Spacing (pixels)",
     .below = D::kShapeFrame},
    {.kind = CmdKind::TextEntry,
     .id = D::kSpacing,
     .rightOf = D::kSpacingLabel,
     .below = D::kShapeFrame,
     .size = 8},
    {.kind = CmdKind::StaticText,
     .id = D::kCountLabel,
     .label = "Count (0: as many as fit)",
     .below = D::kSpacing},
    {.kind = CmdKind::TextEntry,
     .id = D::kCount,
     .rightOf = D::kCountLabel,
     .below = D::kSpacing,
     .size = 8},
    {.kind = CmdKind::CheckBox, .id = D::kAltitude, .label = "Ground from", .below = D::kCount},
    {.kind = CmdKind::TextEntry,
     .id = D::kLowest,
     .rightOf = D::kAltitude,
     .below = D::kCount,
     .size = 8},
    {.kind = CmdKind::StaticText,
     .id = D::kAltitudeTo,
     .label = "to",
     .rightOf = D::kLowest,
     .below = D::kCount},
    {.kind = CmdKind::TextEntry,
     .id = D::kHighest,
     .rightOf = D::kAltitudeTo,
     .below = D::kCount,
     .size = 8},
    {.kind = CmdKind::CheckBox,
     .id = D::kNoWater,
     .label = "Not under water",
     .below = D::kAltitude},
    {.kind = CmdKind::CheckBox, .id = D::kSlope, .label = "Slope at most", .below = D::kNoWater},
    {.kind = CmdKind::TextEntry,
     .id = D::kMaxSlope,
     .rightOf = D::kSlope,
     .below = D::kNoWater,
     .size = 8},
    {.kind = CmdKind::StaticText,
     .id = D::kSlopeUnit,
     .label = "degrees",
     .rightOf = D::kMaxSlope,
     .below = D::kNoWater},
    {.kind = CmdKind::StaticText,
     .id = D::kTurnLabel,
     .label = "Turn (degrees)",
     .below = D::kSlope},
    {.kind = CmdKind::TextEntry,
     .id = D::kTurnFrom,
     .rightOf = D::kTurnLabel,
     .below = D::kSlope,
     .size = 8},
    {.kind = CmdKind::StaticText,
     .id = D::kTurnDash,
     .label = "to",
     .rightOf = D::kTurnFrom,
     .below = D::kSlope},
    {.kind = CmdKind::TextEntry,
     .id = D::kTurnTo,
     .rightOf = D::kTurnDash,
     .below = D::kSlope,
     .size = 8},
    {.kind = CmdKind::StaticText,
     .id = D::kSizeLabel,
     .label = "Size factor",
     .below = D::kTurnFrom},
    {.kind = CmdKind::TextEntry,
     .id = D::kSizeFrom,
     .rightOf = D::kSizeLabel,
     .below = D::kTurnFrom,
     .size = 8},
    {.kind = CmdKind::StaticText,
     .id = D::kSizeDash,
     .label = "to",
     .rightOf = D::kSizeFrom,
     .below = D::kTurnFrom},
    {.kind = CmdKind::TextEntry,
     .id = D::kSizeTo,
     .rightOf = D::kSizeDash,
     .below = D::kTurnFrom,
     .size = 8},
    {.kind = CmdKind::StaticText, .id = D::kSeedLabel, .label = "Seed", .below = D::kSizeFrom},
    {.kind = CmdKind::TextEntry,
     .id = D::kSeed,
     .rightOf = D::kSeedLabel,
     .below = D::kSizeFrom,
     .size = 11},
    {.kind = CmdKind::Button,
     .id = D::kNewSeed,
     .label = "New Seed",
     .rightOf = D::kSeed,
     .below = D::kSizeFrom,
     .tip = "Draw a new random seed"},
    {.kind = CmdKind::CheckBox,
     .id = D::kMix,
     .label = "Mix of types, by weight (else the selected type)",
     .below = D::kSeed},
};

// Sixteen entries (the weights, the footprint radii), four to a row, each after its type's name.
constexpr auto typeTable(int labels, int entries, int above) {
  std::array<CommandObject, std::size_t{2} * kObjectTypes> cmds{};
  for (int t = 0; t < kObjectTypes; ++t) {
    const int rowAbove = t < 4 ? above : entries + t - 4;
    const int left = t % 4 == 0 ? 0 : entries + t - 1;
    cmds[2 * static_cast<std::size_t>(t)] = {.kind = CmdKind::StaticText,
                                             .id = labels + t,
                                             .label = kTypeNames[t],
                                             .rightOf = left,
                                             .below = rowAbove};
    cmds[2 * static_cast<std::size_t>(t) + 1] = {.kind = CmdKind::TextEntry,
                                                 .id = entries + t,
                                                 .rightOf = labels + t,
                                                 .below = rowAbove,
                                                 .size = 4};
  }
  return cmds;
}
constexpr auto kWeightCmds = typeTable(D::kTypeLabel, D::kWeight, D::kMix);
constexpr CommandObject kRadiusHead[] = {
    {.kind = CmdKind::StaticText,
     .id = D::kRadiusLabel,
     .label = "Footprint radius (pixels; empty: none), kept across all types",
     .below = D::kWeight + 12}};
constexpr auto kRadiusCmds = typeTable(D::kRadiusTypeLabel, D::kRadius, D::kRadiusLabel);

constexpr CommandObject kEndCmds[] = {
    {.kind = CmdKind::StaticText,
     .id = D::kDensityLabel,
     .label = "Density image (empty: none)",
     .below = D::kRadius + 12},
    {.kind = CmdKind::TextEntry,
     .id = D::kDensity,
     .rightOf = D::kDensityLabel,
     .below = D::kRadius + 12,
     .size = 28},
    {.kind = CmdKind::Button,
     .id = D::kDensityChoose,
     .label = "...",
     .rightOf = D::kDensity,
     .below = D::kRadius + 12,
     .tip = "Choose a grey image: black grows nothing, white as densely as the spacing lets"},
    {.kind = CmdKind::CheckBox, .id = D::kClumps, .label = "Clumps, spacing", .below = D::kDensity},
    {.kind = CmdKind::TextEntry,
     .id = D::kClumpSpacing,
     .rightOf = D::kClumps,
     .below = D::kDensity,
     .size = 6},
    {.kind = CmdKind::StaticText,
     .id = D::kClumpRadiusLabel,
     .label = "radius",
     .rightOf = D::kClumpSpacing,
     .below = D::kDensity},
    {.kind = CmdKind::TextEntry,
     .id = D::kClumpRadius,
     .rightOf = D::kClumpRadiusLabel,
     .below = D::kDensity,
     .size = 6},
    {.kind = CmdKind::StaticText,
     .id = D::kClumpCountLabel,
     .label = "Objects per clump",
     .below = D::kClumps},
    {.kind = CmdKind::TextEntry,
     .id = D::kClumpLeast,
     .rightOf = D::kClumpCountLabel,
     .below = D::kClumps,
     .size = 6},
    {.kind = CmdKind::StaticText,
     .id = D::kClumpDash,
     .label = "to",
     .rightOf = D::kClumpLeast,
     .below = D::kClumps},
    {.kind = CmdKind::TextEntry,
     .id = D::kClumpMost,
     .rightOf = D::kClumpDash,
     .below = D::kClumps,
     .size = 6},
    {.kind = CmdKind::StaticText,
     .id = D::kClumpInnerLabel,
     .label = "inner spacing (empty: the spacing)",
     .rightOf = D::kClumpMost,
     .below = D::kClumps},
    {.kind = CmdKind::TextEntry,
     .id = D::kClumpInner,
     .rightOf = D::kClumpInnerLabel,
     .below = D::kClumps,
     .size = 6},
    {.kind = CmdKind::StaticText,
     .id = D::kProblem,
     .label = "                                                            ",
     .below = D::kClumpLeast},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " Hide ",
     .attributes = kDefaultButton,
     .below = D::kProblem},
};

constexpr auto allCmds() {
  std::array<CommandObject, std::size(kFixedCmds) + kWeightCmds.size() + std::size(kRadiusHead) +
                                kRadiusCmds.size() + std::size(kEndCmds)>
      all{};
  std::size_t n = 0;
  for (const std::span<const CommandObject> part :
       {std::span<const CommandObject>(kFixedCmds), std::span<const CommandObject>(kWeightCmds),
        std::span<const CommandObject>(kRadiusHead), std::span<const CommandObject>(kRadiusCmds),
        std::span<const CommandObject>(kEndCmds)})
    for (const CommandObject &c : part)
      all[n++] = c;
  return all;
}
constexpr auto kScatterCmds = allCmds();

constexpr const char *kDensityFilters[] = {"*.png *.pgm *.tga *.ppm", "*"};

std::string shown(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", v);
  return text;
}

// A number in [lo, hi] that fills the whole text, or nothing.
bool readNumber(const std::string &text, double lo, double hi, double &out) {
  const char *begin = text.c_str();
  while (*begin == ' ')
    ++begin;
  char *end = nullptr;
  errno = 0;
  const double v = std::strtod(begin, &end);
  while (end != nullptr && *end == ' ')
    ++end;
  if (end == nullptr || end == begin || *end != '\0' || errno != 0 || !(v >= lo && v <= hi))
    return false;
  out = v;
  return true;
}

} // namespace

ScatterDialog::ScatterDialog(QWidget *parent, ProgramValues &values, std::function<void()> wholeMap)
    : vDialog(parent, "Scatter"), values_(values), wholeMap_(std::move(wholeMap)) {
  addDialogCmds(kScatterCmds);
  for (const CommandObject &c : kScatterCmds)
    if (c.kind == CmdKind::TextEntry)
      if (auto *edit = qobject_cast<QLineEdit *>(control(c.id)))
        QObject::connect(edit, &QLineEdit::textEdited, this, [this] { readFields(); });
}

std::span<const CommandObject> ScatterDialog::commands() { return kScatterCmds; }

void ScatterDialog::showRules() {
  const ScatterRules &r = values_.scatter;
  const std::pair<int, double> numbers[] = {
      {kSpacing, r.spacing},   {kCount, static_cast<double>(r.count)},
      {kLowest, r.lowest},     {kHighest, r.highest},
      {kMaxSlope, r.maxSlope}, {kTurnFrom, r.turnFrom},
      {kTurnTo, r.turnTo},     {kSizeFrom, r.sizeFrom},
      {kSizeTo, r.sizeTo},     {kSeed, static_cast<double>(r.seed)}};
  for (const auto &[id, v] : numbers)
    setText(id, shown(v));
  for (int t = 0; t < kObjectTypes; ++t) {
    setText(kWeight + t, shown(r.weights[static_cast<std::size_t>(t)]));
    const double radius = r.radii[static_cast<std::size_t>(t)];
    setText(kRadius + t, radius < 0 ? std::string() : shown(radius));
  }
  setValue(kBox, r.shape == ScatterShape::Box ? 1 : 0);
  setValue(kEllipse, r.shape == ScatterShape::Ellipse ? 1 : 0);
  setValue(kAltitude, r.useAltitude ? 1 : 0);
  setValue(kNoWater, r.noWater ? 1 : 0);
  setValue(kSlope, r.useSlope ? 1 : 0);
  setValue(kMix, r.useMix ? 1 : 0);
  const ScatterClumps &c = r.clumps;
  setText(kDensity, r.densityFile);
  setValue(kClumps, c.use ? 1 : 0);
  setText(kClumpSpacing, shown(c.spacing));
  setText(kClumpRadius, shown(c.radius));
  setText(kClumpLeast, shown(c.least));
  setText(kClumpMost, shown(c.most));
  setText(kClumpInner, c.inner > 0 ? shown(c.inner) : std::string());
  readFields();
}

std::string ScatterDialog::readFields() {
  ScatterRules &r = values_.scatter;
  double count = static_cast<double>(r.count);
  double seed = r.seed;
  struct Field {
    int id;
    const char *name;
    double lo, hi;
    double &target;
  };
  const Field fields[] = {
      {kSpacing, "spacing (1 to 4096)", 1, 4096, r.spacing},
      {kCount, "count (0 to 10000000)", 0, 1e7, count},
      {kLowest, "lowest ground", -1e30, 1e30, r.lowest},
      {kHighest, "highest ground", -1e30, 1e30, r.highest},
      {kMaxSlope, "slope (0 to 90)", 0, 90, r.maxSlope},
      {kTurnFrom, "turn", -1e6, 1e6, r.turnFrom},
      {kTurnTo, "turn", -1e6, 1e6, r.turnTo},
      {kSizeFrom, "size (above 0)", 1e-6, 1e6, r.sizeFrom},
      {kSizeTo, "size (above 0)", 1e-6, 1e6, r.sizeTo},
      {kSeed, "seed (0 to 4294967295)", 0, 4294967295.0, seed},
  };
  std::string problem;
  r.unreadable = nullptr;
  for (const Field &f : fields) {
    double v = 0;
    const bool good = readNumber(getText(f.id), f.lo, f.hi, v) &&
                      (f.id != kCount && f.id != kSeed ? true : v == std::floor(v));
    if (good)
      f.target = v;
    mark(f.id, good, f.name, problem);
  }
  r.count = static_cast<long long>(count);
  r.seed = static_cast<std::uint32_t>(seed);
  for (int t = 0; t < kObjectTypes; ++t) {
    double w = 0;
    const bool good = readNumber(getText(kWeight + t), 0, 1e9, w);
    if (good)
      r.weights[static_cast<std::size_t>(t)] = w;
    mark(kWeight + t, good, "weight (0 or more)", problem);
    const std::string text = getText(kRadius + t);
    double radius = -1;
    const bool none = text.find_first_not_of(' ') == std::string::npos;
    const bool goodRadius = none || readNumber(text, 0, 4096, radius);
    if (goodRadius)
      r.radii[static_cast<std::size_t>(t)] = radius;
    mark(kRadius + t, goodRadius, "footprint radius (0 to 4096, or empty)", problem);
  }
  r.densityFile = getText(kDensity);
  readClumps(problem);
  setText(kProblem, problem);
  return problem;
}

void ScatterDialog::mark(int id, bool good, const char *name, std::string &problem) {
  if (QWidget *w = control(id))
    w->setStyleSheet(good ? QString() : QStringLiteral("QLineEdit { background: #f8c8c8; }"));
  if (!good && values_.scatter.unreadable == nullptr)
    values_.scatter.unreadable = name;
  if (!good && problem.find(name) == std::string::npos)
    problem += problem.empty() ? std::string("Not a good ") + name : std::string(", ") + name;
}

// The clump fields, checked as the command line's clumps are; each good one is taken.
void ScatterDialog::readClumps(std::string &problem) {
  ScatterClumps &c = values_.scatter.clumps;
  const std::string innerText = getText(kClumpInner);
  const bool innerGiven = innerText.find_first_not_of(' ') != std::string::npos;
  std::array<double, 5> v{c.spacing, c.radius, static_cast<double>(c.least),
                          static_cast<double>(c.most), 0.0};
  std::array<bool, 5> read{};
  const int ids[] = {kClumpSpacing, kClumpRadius, kClumpLeast, kClumpMost, kClumpInner};
  for (std::size_t i = 0; i < v.size(); ++i)
    read[i] = (i == 4 && !innerGiven) || readNumber(getText(ids[i]), -1e30, 1e30, v[i]);
  const unsigned bad = badClumpValues(v[0], v[1], v[2], v[3], v[4], innerGiven);
  constexpr const char *kNames[] = {"clump spacing (1 to 4096)", "clump radius (0 to 4096)",
                                    "objects per clump (1 to 10000, the first at most the second)",
                                    "objects per clump (1 to 10000, the first at most the second)",
                                    "inner spacing (1 to 4096, or empty)"};
  std::array<bool, 5> good{};
  for (std::size_t i = 0; i < v.size(); ++i) {
    good[i] = read[i] && (bad & (1u << i)) == 0;
    mark(ids[i], good[i], kNames[i], problem);
  }
  if (good[0])
    c.spacing = v[0];
  if (good[1])
    c.radius = v[1];
  if (good[2])
    c.least = static_cast<int>(v[2]);
  if (good[3])
    c.most = static_cast<int>(v[3]);
  if (good[4])
    c.inner = v[4];
}

void ScatterDialog::chooseDensityImage() {
  std::string name = values_.scatter.densityFile;
  if (vFileSelect(this).fileSelect("Density image", name, kMaxNameLength, kDensityFilters,
                                   densityFilter_) == FileResult::Chosen) {
    setText(kDensity, name);
    readFields();
  }
}

void ScatterDialog::onShown() {
  showRules();
  placeFromMainWindow(300, 0);
}

void ScatterDialog::onCommand(int id, int value, CmdKind kind) {
  ScatterRules &r = values_.scatter;
  switch (id) {
  case kBox:
  case kEllipse:
    if (value != 0)
      r.shape = id == kBox ? ScatterShape::Box : ScatterShape::Ellipse;
    break;
  case kAltitude:
    r.useAltitude = value != 0;
    break;
  case kNoWater:
    r.noWater = value != 0;
    break;
  case kSlope:
    r.useSlope = value != 0;
    break;
  case kMix:
    r.useMix = value != 0;
    break;
  case kClumps:
    r.clumps.use = value != 0;
    break;
  case kDensityChoose:
    chooseDensityImage();
    break;
  case kNewSeed: {
    std::random_device device;
    r.seed = device();
    setText(kSeed, shown(r.seed));
    readFields();
    break;
  }
  case kWholeMap:
    readFields();
    if (wholeMap_)
      wholeMap_();
    break;
  default:
    break;
  }
  vDialog::onCommand(id, value, kind);
}

} // namespace hs
