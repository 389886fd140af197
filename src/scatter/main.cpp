// hillstrew-scatter: scatters objects on a place data file's height field by
// rules, without the window, for scripted pipelines.

#include "cli/CommandLine.h"
#include "core/Document.h"
#include "core/InputFile.h"
#include "core/ProgramValues.h"
#include "core/QtPaths.h"
#include "io/AreaText.h"
#include "io/PlaceData.h"
#include "placement/DensityMask.h"
#include "placement/Scatter.h"
#include "terrain/HeightField.h"
#include "terrain/Palette.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char *kUsage =
    "Usage: hillstrew-scatter [OPTIONS] DATAFILE (-o OUTFILE | --in-place)\n"
    "\n"
    "Opens the Hillstrew place data file DATAFILE with the height field it names,\n"
    "scatters objects on it by the rules below, as the Scatter tool does, and\n"
    "writes the place data file to OUTFILE, or back to DATAFILE with --in-place.\n"
    "A map in OUTFILE's folder or below is named relative to that folder.\n"
    "Prints how many objects it placed.\n"
    "\n"
    "Where:\n"
    "  --box X0,Z0,X1,Z1      the box between two corners (map pixels, included)\n"
    "  --ellipse CX,CZ,RX,RZ  the ellipse with this centre and these radii\n"
    "                         (without either: the whole map)\n"
    "What:\n"
    "  --type N               objects of type N, 1..16 (default 1)\n"
    "  --mix N:W[,N:W...]     a mix of types N with weights W, instead of --type\n"
    "  --count N              this many objects, spread over the region\n"
    "                         (default: as many as fit, the most the spacing\n"
    "                         lets in; under --mask that set is then thinned by\n"
    "                         the density, and a count is drawn from what is left)\n"
    "  --spacing D            at least D map pixels between objects, and between\n"
    "                         them and the objects of those types already there\n"
    "                         (default 5)\n"
    "  --radius TYPE:R        a footprint of R map pixels (0..4096) for objects of\n"
    "                         type TYPE; may be repeated. Once any type has one,\n"
    "                         every two objects of any types, those already there\n"
    "                         too, stand at least both radii plus D apart (types\n"
    "                         without a radius count 0)\n"
    "  --clumps S:R:MIN:MAX[:INNER]\n"
    "                         clumps instead of single objects: clump centres at\n"
    "                         least S apart, each with MIN..MAX objects within R of\n"
    "                         it, INNER apart within a clump (default D); every\n"
    "                         other rule holds for every object\n"
    "Rules:\n"
    "  --altitude LO:HI       only where the ground is between LO and HI (POV units\n"
    "                         at the file's scale)\n"
    "  --no-water             only where the ground is above the water level\n"
    "  --slope DEG            only where the ground slopes at most DEG degrees\n"
    "  --mask FILE            plant as densely as the grey image FILE says (PNG,\n"
    "                         PGM, PPM or Targa, stretched over the map): black\n"
    "                         grows nothing, white as densely as the spacing lets\n"
    "  --exclude FILE         keep out of the polygons in FILE: one X,Z pair (map\n"
    "                         pixels) a line, a blank line between polygons; the\n"
    "                         areas the place data file holds are kept free too\n"
    "Each object:\n"
    "  --turn A:B             a random turn about the vertical axis, A to B degrees\n"
    "                         (default 0:0)\n"
    "  --size A:B             a random size factor, A to B (default 1:1)\n"
    "  --seed N               the random seed, 0..4294967295 (default 1); the same\n"
    "                         seed, file and options give the same objects\n"
    "Files:\n"
    "  -o FILE, --output FILE write the result to FILE\n"
    "  --in-place             write the result back to DATAFILE\n"
    "  --palette FILE         colour a Targa height field with this palette file\n"
    "  --help                 show this text\n"
    "\n"
    "Options take their value as the next argument or after '='. On any failure\n"
    "the message goes to standard error, nothing is written and the exit status is\n"
    "not 0: 2 for a bad command line, 1 for a file that cannot be read or written.\n"
    "Only regular files are read. The output replaces the file by a new one with\n"
    "the old one's mode, owner and group (so a hard link to it parts from it); a\n"
    "device, a FIFO or a read-only file is never replaced.\n";

constexpr const char *kName = "hillstrew-scatter";

int usageError(const std::string &message) { return hs::usageError(kName, message); }
int failure(const std::string &message) { return hs::failure(kName, message); }

// Numbers separated by sep, each a finite decimal; nullopt when the text is
// not exactly count of them.
std::optional<std::vector<double>> numbersIn(const std::string &text, char sep, std::size_t count) {
  std::vector<double> out;
  std::size_t at = 0;
  for (;;) {
    const std::size_t end = std::min(text.find(sep, at), text.size());
    const std::string part = text.substr(at, end - at);
    char *stop = nullptr;
    errno = 0;
    const double v = std::strtod(part.c_str(), &stop);
    if (part.empty() || *stop != '\0' || errno != 0 || !std::isfinite(v))
      return std::nullopt;
    out.push_back(v);
    if (end == text.size())
      break;
    at = end + 1;
  }
  if (out.size() != count)
    return std::nullopt;
  return out;
}

bool fitsFloat(double v) { return std::fabs(v) <= std::numeric_limits<float>::max(); }

bool isWhole(double v, double lo, double hi) { return v == std::floor(v) && v >= lo && v <= hi; }

struct Options {
  std::vector<std::string> names;
  std::string output;
  std::string palette;
  std::string exclude;
  bool inPlace = false;
  bool typeGiven = false;
  int type = 0;
  hs::ScatterRules rules;
  hs::ScatterRegion region = hs::ScatterRegion::wholeMap();
  int regions = 0;
};

// Splits "A:B" into two numbers; false when it is not that.
bool numberPair(const std::string &value, double &a, double &b) {
  const auto v = numbersIn(value, ':', 2);
  if (v) {
    a = (*v)[0];
    b = (*v)[1];
  }
  return v.has_value();
}

bool oneNumber(const std::string &value, double &a) {
  const auto v = numbersIn(value, ',', 1);
  if (v)
    a = (*v)[0];
  return v.has_value();
}

// Takes --mix TYPE:WEIGHT,...: an error message, or empty.
std::string takeMix(hs::ScatterRules &r, const std::string &value, const std::string &bad) {
  r.useMix = true;
  for (std::size_t at = 0; at <= value.size();) {
    const std::size_t end = std::min(value.find(',', at), value.size());
    const auto v = numbersIn(value.substr(at, end - at), ':', 2);
    if (!v || !isWhole((*v)[0], 1, hs::kObjectTypes) || (*v)[1] < 0)
      return bad + " (TYPE:WEIGHT pairs, types 1..16, weights 0 or more)";
    r.weights[static_cast<std::size_t>((*v)[0]) - 1] = (*v)[1];
    at = end + 1;
  }
  double sum = 0;
  for (const double w : r.weights)
    sum += w;
  if (!std::isfinite(sum))
    return bad + " (the weights add up to more than a number can hold)";
  return {};
}

// Takes --radius TYPE:R or --clumps S:R:MIN:MAX[:INNER]: an error message, or empty.
std::string takeLandscapeRule(hs::ScatterRules &r, const std::string &name,
                              const std::string &value, const std::string &bad) {
  if (name == "--radius") {
    const auto v = numbersIn(value, ':', 2);
    if (!v || !isWhole((*v)[0], 1, hs::kObjectTypes) || (*v)[1] < 0 || (*v)[1] > 4096)
      return bad + " (TYPE:R, type 1..16, R 0..4096)";
    r.radii[static_cast<std::size_t>((*v)[0]) - 1] = (*v)[1];
    return {};
  }
  // INNER left out is 0: the scatter's spacing.
  auto v = numbersIn(value, ':', 5);
  const bool innerGiven = v.has_value();
  if (!v && (v = numbersIn(value, ':', 4)))
    v->push_back(0);
  if (!v || hs::badClumpValues((*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4], innerGiven) != 0)
    return bad + " (S:R:MIN:MAX[:INNER], S and INNER 1..4096, R 0..4096, 1 <= MIN <= MAX)";
  r.clumps = {(*v)[0], (*v)[1], static_cast<int>((*v)[2]), static_cast<int>((*v)[3]),
              (*v)[4], true};
  return {};
}

// Takes one option of the rules with its value: an error message, empty when
// taken, or nullopt when name is not an option of the rules.
std::optional<std::string> takeRule(hs::ScatterRules &r, const std::string &name,
                                    const std::string &value, const std::string &bad) {
  double n = 0;
  if (name == "--count") {
    if (!oneNumber(value, n) || !isWhole(n, 1, 1e7))
      return bad + " (a whole number 1..10000000)";
    r.count = static_cast<long long>(n);
  } else if (name == "--spacing") {
    if (!oneNumber(value, r.spacing) || r.spacing < 1 || r.spacing > 4096)
      return bad + " (a number of pixels, 1..4096)";
  } else if (name == "--altitude") {
    if (!numberPair(value, r.lowest, r.highest) || r.lowest > r.highest)
      return bad + " (LO:HI with LO at most HI)";
    r.useAltitude = true;
  } else if (name == "--slope") {
    if (!oneNumber(value, r.maxSlope) || r.maxSlope < 0 || r.maxSlope > 90)
      return bad + " (degrees, 0..90)";
    r.useSlope = true;
  } else if (name == "--turn") {
    // An object keeps its turn and size as floats; a value past their range
    // would become infinite there.
    if (!numberPair(value, r.turnFrom, r.turnTo) || !fitsFloat(r.turnFrom) || !fitsFloat(r.turnTo))
      return bad + " (A:B in degrees, at most 3.4e38 either way)";
  } else if (name == "--size") {
    if (!numberPair(value, r.sizeFrom, r.sizeTo) || r.sizeFrom <= 0 || r.sizeTo <= 0 ||
        !fitsFloat(r.sizeFrom) || !fitsFloat(r.sizeTo))
      return bad + " (A:B, both above 0 and at most 3.4e38)";
  } else if (name == "--seed") {
    if (!oneNumber(value, n) || !isWhole(n, 0, 4294967295.0))
      return bad + " (a whole number 0..4294967295)";
    r.seed = static_cast<std::uint32_t>(n);
  } else if (name == "--mix") {
    return takeMix(r, value, bad);
  } else if (name == "--radius" || name == "--clumps") {
    return takeLandscapeRule(r, name, value, bad);
  } else {
    return std::nullopt;
  }
  return std::string();
}

// Takes one option with its value; an error message, or empty.
std::string takeOption(Options &o, const std::string &name, const std::string &value) {
  const std::string bad = "bad value for " + name + ": '" + hs::shownName(value) + "'";
  if (auto ruleTaken = takeRule(o.rules, name, value, bad))
    return *ruleTaken;
  if (name == "--type") {
    double t = 0;
    if (!oneNumber(value, t) || !isWhole(t, 1, hs::kObjectTypes))
      return bad + " (a type number 1..16)";
    o.type = static_cast<int>(t) - 1;
    o.typeGiven = true;
  } else if (name == "--box" || name == "--ellipse") {
    const auto v = numbersIn(value, ',', 4);
    if (!v || (name == "--ellipse" && ((*v)[2] < 0 || (*v)[3] < 0)))
      return bad + (name == "--box" ? " (X0,Z0,X1,Z1)" : " (CX,CZ,RX,RZ with RX, RZ 0 or more)");
    const auto &n = *v;
    o.region = name == "--box" ? hs::ScatterRegion::box(n[0], n[1], n[2], n[3])
                               : hs::ScatterRegion::ellipse(n[0], n[1], n[2], n[3]);
    ++o.regions;
  } else if (name == "-o" || name == "--output") {
    o.output = value;
  } else if (name == "--mask") {
    o.rules.densityFile = value;
  } else if (name == "--exclude") {
    o.exclude = value;
  } else {
    o.palette = value; // --palette: takesValue knows no other
  }
  return {};
}

// The options that take a value.
bool takesValue(const std::string &name) {
  for (const char *n : {"--type", "--mix", "--count", "--spacing", "--altitude", "--slope",
                        "--turn", "--size", "--seed", "--box", "--ellipse", "-o", "--output",
                        "--palette", "--radius", "--clumps", "--mask", "--exclude"})
    if (name == n)
      return true;
  return false;
}

// Parses the command line; an error message, or empty.
std::string parse(int argc, char **argv, Options &o) {
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!options || arg.size() < 2 || arg[0] != '-') {
      o.names.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options = false;
      continue;
    }
    if (arg == "--no-water") {
      o.rules.noWater = true;
      continue;
    }
    if (arg == "--in-place") {
      o.inPlace = true;
      continue;
    }
    const std::size_t eq = arg.find('=');
    const std::string name = arg.substr(0, eq);
    if (!takesValue(name))
      return "unknown option " + hs::shownName(arg);
    std::string value;
    if (eq != std::string::npos)
      value = arg.substr(eq + 1);
    else if (i + 1 < argc)
      value = argv[++i];
    else
      return "option " + name + " needs a value";
    if (std::string error = takeOption(o, name, value); !error.empty())
      return error;
  }
  if (o.names.size() != 1)
    return o.names.empty() ? "no place data file given" : "more than one place data file given";
  if (o.inPlace == !o.output.empty())
    return "give either -o FILE or --in-place";
  if (o.regions > 1)
    return "give at most one of --box and --ellipse";
  if (o.typeGiven && o.rules.useMix)
    return "give either --type or --mix";
  return {};
}

// Reads the density image and the polygons the options name into rules: an
// error message, or empty.
std::string readRuleFiles(const Options &o, hs::ScatterRules &rules) {
  if (const std::string why = hs::readDensityRule(rules); !why.empty())
    return hs::shownName(rules.densityFile) + ": " + why;
  if (!o.exclude.empty())
    if (const std::string why = hs::readPolygonFile(o.exclude, rules.exclude); !why.empty())
      return hs::shownName(o.exclude) + ": " + why;
  return {};
}

// Every file named is named in UTF-8, and every input is a regular file: an
// error message, or empty.
std::string checkNames(const Options &o, const std::string &data, const std::string &out) {
  for (const std::string *name : {&data, &out, &o.palette, &o.rules.densityFile, &o.exclude})
    if (!hs::isUtf8Name(*name))
      return hs::shownName(*name) + ": not a UTF-8 file name; nothing was written";
  for (const std::string *name : {&data, &o.palette, &o.rules.densityFile, &o.exclude})
    if (hs::isIrregularFile(*name))
      return hs::shownName(*name) + ": not a regular file; nothing was read";
  return {};
}

int run(const Options &o) {
  const std::string &data = o.names[0];
  const std::string &out = o.inPlace ? data : o.output;
  if (const std::string why = checkNames(o, data, out); !why.empty())
    return failure(why);
  // Before the work, which may take a while.
  if (const hs::SaveResult may = hs::mayReplace(out); !may)
    return failure(may.why(hs::shownName(out)));

  hs::Palette pal = hs::defaultPalette();
  if (!o.palette.empty()) {
    const int r = hs::loadPalette(pal, o.palette);
    if (r != hs::PaletteLoaded)
      return failure(hs::paletteMessage(r));
  }
  hs::ScatterRules rules = o.rules;
  if (const std::string why = readRuleFiles(o, rules); !why.empty())
    return failure(why);
  hs::ProgramValues values;
  // A tool's document keeps no history: nothing here is ever undone.
  hs::Document document(hs::Document::Recording::Off);
  hs::PlaceDataOpen open;
  const int opened = hs::openPlaceData(document, pal, data, {}, &open);
  if (opened != hs::PlaceDataOk)
    return failure(hs::placeDataOpenMessage(opened, open));
  if (!open.data.mapNotice.empty())
    std::fprintf(stderr, "%s: %s\n", kName, open.data.mapNotice.c_str());
  const std::pair<const std::string *, const char *> inputs[] = {
      {&document.hfFileName(), "the height field"},
      {&o.palette, "the palette"},
      {&o.rules.densityFile, "the density image"},
      {&o.exclude, "the polygon file"}};
  for (const auto &[input, what] : inputs)
    if (hs::sameFile(out, *input))
      return failure(hs::shownName(out) + " is " + what +
                     " this scatter reads; nothing was written");

  values.currentType = o.type;
  const long long room = std::max(0LL, document.budget().limit - document.budget().used);
  const hs::ScatterPlan plan = hs::planScatter(document, values, rules, o.region, room);
  const hs::ScatterResult done = hs::applyScatter(document, plan);
  if (const hs::SaveResult saved = hs::PlaceDataExporter().write(document, out); !saved)
    return failure(saved.why(hs::shownName(out)));
  std::printf("%s\n", hs::scatterDoneMessage(done.placed).c_str());
  if (!plan.whyNone.empty())
    std::fprintf(stderr, "%s\n", plan.whyNone.c_str());
  if (done.stopped)
    std::fprintf(stderr, "The scatter stopped at the limit of %lld objects in a scene.\n",
                 document.budget().limit);
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--")
      break;
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  Options options;
  if (const std::string error = parse(argc, argv, options); !error.empty())
    return usageError(error);
  try {
    return run(options);
  } catch (const std::bad_alloc &) {
    return failure("not enough memory; nothing was written");
  }
}
