// hillstrew-import: makes an elevation model a POV-Ray height field at true
// scale without the window, for scripts.

#include "cli/CommandLine.h"
#include "core/Document.h"
#include "elevation/DemImport.h"
#include "io/PlaceData.h"
#include "terrain/HeightField.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr const char *kUsage =
    "Usage: hillstrew-import DEM -o OUT.png [--place PLACEDATA] [--size N] [--cell-size M]\n"
    "\n"
    "Reads band 1 of the elevation model DEM and writes it as the 16-bit grey PNG\n"
    "OUT.png, a height field POV-Ray reads at full precision: the lowest valid\n"
    "elevation is level 0, the highest 65535. Voids (no data, not a number) are\n"
    "filled smoothly from the nearest valid cells.\n"
    "\n"
    "Formats: GeoTIFF (.tif .tiff), SRTM (.hgt), ESRI ASCII grid (.asc),\n"
    "ESRI .bil/.flt, USGS DEM (.dem), Erdas Imagine (.img).\n"
    "\n"
    "  -o OUT.png          the PNG to write\n"
    "  --place PLACEDATA   also write a place data file for it at true scale (one\n"
    "                      POV unit a metre, heights above the lowest), the water\n"
    "                      at sea level when that is in range, else 0, and the\n"
    "                      camera and look-at point at their defaults on the map\n"
    "  --size N            resample by area average so the longer side is N pixels\n"
    "                      (never larger than the model); a model over 16,384 on a\n"
    "                      side needs it\n"
    "  --cell-size M       take a cell as M metres on a side (for a model without\n"
    "                      a coordinate system, whose cells count as metres)\n"
    "  --help              show this text\n"
    "\n"
    "Prints the lowest and highest elevation, the pixel size in metres, the scale\n"
    "and the number of void cells filled. Exits 0 when written, 1 with a message\n"
    "when a file cannot be read or written or the model cannot be imported\n"
    "(rotated, flat, no valid cell, too large), 2 for a bad command line. Never\n"
    "writes over a file it reads; a device, a FIFO or a read-only file is never\n"
    "replaced.\n";

constexpr const char *kName = "hillstrew-import";

int usageError(const std::string &message) { return hs::usageError(kName, message); }
int failure(const std::string &message) { return hs::failure(kName, message); }

struct Options {
  std::string dem, out, place;
  hs::DemOptions dem_options;
};

bool number(const std::string &text, double &v) {
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  return ec == std::errc() && ptr == text.data() + text.size() && std::isfinite(v);
}

// Takes option arg's value; 0, or 2 when it is bad.
int takeValue(const std::string &arg, const std::string &value, Options &o) {
  double v = 0.0;
  if (arg == "-o" || arg == "--output") {
    o.out = value;
  } else if (arg == "--place") {
    o.place = value;
  } else if (arg == "--size") {
    if (!number(value, v) || v != std::floor(v) || v < 2 || v > hs::kMaxMapSide)
      return usageError("--size needs a whole number from 2 to 16384");
    o.dem_options.size = static_cast<int>(v);
  } else if (!number(value, v) || v <= 0) {
    return usageError("--cell-size needs metres above 0");
  } else {
    o.dem_options.cellSize = v;
  }
  return 0;
}

int parse(int argc, char **argv, Options &o, bool &help) {
  std::vector<std::string> names;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      help = true;
      return 0;
    }
    std::string value;
    bool hasValue = false;
    if (const std::size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
      value = arg.substr(eq + 1);
      arg.resize(eq);
      hasValue = true;
    }
    if (arg == "-o" || arg == "--output" || arg == "--place" || arg == "--size" ||
        arg == "--cell-size") {
      if (!hasValue && i + 1 >= argc)
        return usageError(arg + " needs a value");
      if (const int status = takeValue(arg, hasValue ? value : argv[++i], o); status != 0)
        return status;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return usageError("unknown option " + arg);
    } else {
      names.push_back(arg);
    }
  }
  if (names.size() != 1 || o.out.empty())
    return usageError("give one elevation model and -o OUT.png");
  o.dem = names[0];
  return 0;
}

// Whether two names are one file, or would be once written.
bool sameName(const std::string &a, const std::string &b) {
  std::error_code ec;
  return hs::sameFile(a, b) ||
         std::filesystem::weakly_canonical(a, ec) == std::filesystem::weakly_canonical(b, ec);
}

int run(const Options &o) {
  for (const std::string *written : {&o.out, &o.place})
    if (!written->empty() &&
        (sameName(*written, o.dem) || (written == &o.place && sameName(o.place, o.out))))
      return failure(hs::shownName(*written) +
                     " is a file this import reads or writes; nothing was written");
  if (!o.place.empty())
    if (const hs::SaveResult may = hs::mayReplace(o.place); !may)
      return failure(may.why(hs::shownName(o.place)));
  hs::ElevationMap map;
  std::string message;
  const int result = hs::importElevationModel(o.dem, o.out, o.dem_options, map, message);
  if (result != hs::ElevationImported)
    return failure((result == hs::ElevationCannotWrite ? "" : hs::shownName(o.dem) + " ") +
                   message);
  std::printf("Lowest %.3f m, highest %.3f m\nPixel %.3f x %.3f m\nScale %.6f, %.6f, %.6f\n",
              map.range.lo, map.range.hi, map.pixelWidth, map.pixelHeight, map.scale.x, map.scale.y,
              map.scale.z);
  std::printf("%s\n", hs::elevationNotice(map).c_str());
  if (o.place.empty())
    return 0;
  hs::Document document(hs::Document::Recording::Off);
  hs::LRMemoryDC image = hs::heightMapOf(map);
  if (image.isNull())
    return failure("not enough memory for the place data file; the PNG was written");
  hs::commitHeightField(document, std::move(image));
  hs::applyElevationMap(document, map, o.out);
  if (const hs::SaveResult saved = hs::PlaceDataExporter().write(document, o.place); !saved)
    return failure(saved.why(hs::shownName(o.place)));
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  Options o;
  bool help = false;
  if (const int status = parse(argc, argv, o, help); status != 0 || help) {
    if (help)
      std::fputs(kUsage, stdout);
    return status;
  }
  try {
    return run(o);
  } catch (const std::bad_alloc &) {
    return failure("not enough memory; nothing was written");
  }
}
