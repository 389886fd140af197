// hillstrew-view3d: renders the 3D view of a place data file into a PNG
// without the window, for scripts and checks.

#include "cli/CommandLine.h"
#include "core/AtomicSave.h"
#include "core/Document.h"
#include "core/InputFile.h"
#include "core/QtPaths.h"
#include "io/PlaceData.h"
#include "terrain/Palette.h"
#include "view3d/OffscreenRenderer.h"

#include <QGuiApplication>
#include <QIODevice>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char *kUsage =
    "Usage: hillstrew-view3d PLACEDATA -o OUT.png [options]\n"
    "\n"
    "Opens the Hillstrew place data file PLACEDATA with the height field it names\n"
    "and renders what the 3D view shows, from the scene camera, into the PNG OUT.png.\n"
    "\n"
    "  --size WxH            the picture's size in pixels (default 480x360)\n"
    "  --angle DEG           the camera's horizontal angle (default 60)\n"
    "  --background RRGGBB   the colour behind the scene (default 000000)\n"
    "  --no-objects          leave the objects out\n"
    "  --no-water            leave the water out\n"
    "  --orbit YAW:PITCH:DISTANCE\n"
    "                        look at the look-at point from this orbit instead\n"
    "                        (degrees, degrees, POV units from the look-at point),\n"
    "                        showing the camera and the look-at point as markers\n"
    "  --help                show this text\n"
    "\n"
    "Exits 0 when the picture was written, 1 with a message when a file cannot be\n"
    "read or written or no OpenGL context can be made (a display and an OpenGL\n"
    "driver are needed), 2 for a bad command line. OUT.png is replaced by a new file\n"
    "only once the picture is whole; a device, a FIFO or a read-only file is never\n"
    "replaced.\n";

int usage(const std::string &problem) {
  std::fprintf(stderr, "hillstrew-view3d: %s\n\n%s", problem.c_str(), kUsage);
  return 2;
}

// count finite numbers split by separator, the last taking the rest.
bool numbers(std::string_view text, char separator, std::vector<double> &out, std::size_t count) {
  out.clear();
  for (std::size_t k = 0; k < count; ++k) {
    const bool last = k + 1 == count;
    const std::size_t end = last ? text.size() : text.find(separator);
    if (end == std::string_view::npos)
      return false;
    double v = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + end, v);
    if (ec != std::errc() || ptr != text.data() + end || !std::isfinite(v))
      return false;
    out.push_back(v);
    text.remove_prefix(last ? end : end + 1);
  }
  return true;
}

struct Options {
  std::string data;
  std::string out;
  hs::view3d::RenderRequest request;
};

constexpr const char *kValueOptions[] = {"-o", "--size", "--angle", "--background", "--orbit"};

// Takes the value s of the option arg; 2 when it is bad, else 0.
int takeValue(const std::string &arg, const char *s, Options &o) {
  if (s == nullptr)
    return usage(arg + " needs a value");
  std::vector<double> v;
  hs::view3d::RenderRequest &r = o.request;
  if (arg == "-o") {
    o.out = s;
  } else if (arg == "--size") {
    if (!numbers(s, 'x', v, 2) || v[0] < 1 || v[1] < 1 || v[0] > 16384 || v[1] > 16384 ||
        v[0] != std::floor(v[0]) || v[1] != std::floor(v[1]))
      return usage("--size needs WxH, whole numbers from 1 to 16384");
    r.size = QSize(static_cast<int>(v[0]), static_cast<int>(v[1]));
  } else if (arg == "--angle") {
    if (!numbers(s, ',', v, 1) || v[0] <= 0 || v[0] >= 180)
      return usage("--angle needs degrees above 0 and below 180");
    r.angle = v[0];
  } else if (arg == "--background") {
    const std::string_view hex = s;
    unsigned rgb = 0;
    const auto [ptr, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), rgb, 16);
    if (hex.size() != 6 || ec != std::errc() || ptr != hex.data() + hex.size())
      return usage("--background needs a colour as RRGGBB");
    r.draw.background = QColor::fromRgb(rgb);
  } else {
    if (!numbers(s, ':', v, 3) || v[2] <= 0)
      return usage("--orbit needs YAW:PITCH:DISTANCE, the distance above 0");
    r.orbit = hs::view3d::Orbit{v[0], v[1], v[2]};
    r.draw.markers = true; // seen from elsewhere, the scene's camera shows
  }
  return 0;
}

// 0 when the options are good, else the exit status 2.
int parse(int argc, char **argv, Options &o, bool &help) {
  std::vector<std::string> names;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      help = true;
      return 0;
    }
    if (std::find(std::begin(kValueOptions), std::end(kValueOptions), arg) !=
        std::end(kValueOptions)) {
      if (const int status = takeValue(arg, i + 1 < argc ? argv[++i] : nullptr, o); status != 0)
        return status;
    } else if (arg == "--no-objects") {
      o.request.draw.objects = false;
    } else if (arg == "--no-water") {
      o.request.draw.water = false;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return usage("unknown option " + arg);
    } else {
      names.push_back(arg);
    }
  }
  if (names.size() != 1 || o.out.empty())
    return usage("give one place data file and -o OUT.png");
  o.data = names[0];
  return 0;
}

int fail(const std::string &message) { return hs::failure("hillstrew-view3d", message); }

int run(const Options &o) {
  for (const std::string *name : {&o.data, &o.out})
    if (!hs::isUtf8Name(*name))
      return fail(hs::shownName(*name) + ": not a UTF-8 file name; nothing was written");
  if (hs::isIrregularFile(o.data))
    return fail(hs::shownName(o.data) + ": not a regular file; nothing was read");
  if (const hs::SaveResult may = hs::mayReplace(o.out); !may)
    return fail(may.why(hs::shownName(o.out)));

  // The view colours by height and reads a Targa's height from each pixel's
  // blue: a palette whose blue is the index keeps every index POV-Ray reads
  // (the built-in one paints the top entries alike).
  hs::Palette indices{};
  for (int i = 0; i < 256; ++i)
    indices[static_cast<std::size_t>(i)] = hs::vColor(0, 0, i).value();
  hs::Document document(hs::Document::Recording::Off);
  hs::PlaceDataOpen open;
  const int opened = hs::openPlaceData(document, indices, o.data, {}, &open);
  if (opened != hs::PlaceDataOk)
    return fail(hs::placeDataOpenMessage(opened, open));
  if (!open.data.mapNotice.empty())
    std::fprintf(stderr, "hillstrew-view3d: %s\n", open.data.mapNotice.c_str());
  for (const std::string *input : {&o.data, &document.hfFileName()})
    if (hs::sameFile(o.out, *input))
      return fail(hs::shownName(o.out) + " is a file this render reads; nothing was written");

  QString why;
  const auto renderer = hs::view3d::OffscreenRenderer::create(&why);
  if (!renderer)
    return fail("cannot render: " + why.toStdString() + "; nothing was written");
  const QImage image = renderer->render(document, o.request);
  if (image.isNull())
    return fail("cannot render a picture of that size; nothing was written");
  const hs::SaveResult saved =
      hs::saveAtomically(o.out, [&image](QIODevice &device) { return image.save(&device, "PNG"); });
  if (!saved)
    return fail(saved.status == hs::SaveStatus::Failed
                    ? hs::shownName(o.out) + ": cannot be written; nothing was written"
                    : saved.why(hs::shownName(o.out)));
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
  // Without any display Qt's default platform would abort; the offscreen one
  // starts and then says there is no OpenGL.
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
      std::getenv("QT_QPA_PLATFORM") == nullptr)
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  try {
    const QGuiApplication app(argc, argv);
    return run(o);
  } catch (const std::bad_alloc &) {
    return fail("not enough memory; nothing was written");
  }
}
