// hillstrew-export: turns a place data file into a POV include file without the
// window, for scripted pipelines.

#include "cli/CommandLine.h"
#include "core/Document.h"
#include "core/InputFile.h"
#include "core/QtPaths.h"
#include "io/PlaceData.h"
#include "io/PovInclude.h"
#include "terrain/Palette.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char *kUsage =
    "Usage: hillstrew-export [--palette FILE] DATAFILE [OUTFILE]\n"
    "\n"
    "Opens the Hillstrew place data file DATAFILE as \"Open.Data\" does, loading the\n"
    "height field it names, and writes the POV-Ray include file to OUTFILE, or to\n"
    "standard output when OUTFILE is left out or is '-'.\n"
    "\n"
    "  --palette FILE  colour a Targa height field with this palette file instead\n"
    "                  of the built-in palette\n"
    "  --help          show this text\n"
    "\n"
    "A relative map name inside DATAFILE is found in DATAFILE's folder; an absolute\n"
    "one that does not exist falls back to the same file name there (said on\n"
    "standard error). The include names a map in the current directory or below\n"
    "relative to it, as POV-Ray run there finds it, and any other map absolute.\n"
    "On any failure the program's own message goes to standard error and the exit\n"
    "status is not 0; an existing OUTFILE is then left as it was. OUTFILE is never one of\n"
    "the files the export reads (DATAFILE, its height field, the palette).\n"
    "Only regular files are read. OUTFILE is replaced by a new file with the old\n"
    "one's mode, owner and group (so a hard link to it parts from it); a device,\n"
    "a FIFO or a read-only file is never replaced.\n";

int fail(const char *message) {
  std::fprintf(stderr, "%s\n", message);
  return 1;
}

int run(const std::vector<std::string> &names, const std::string &paletteFile) {
  // Qt would open some other, re-spelled file for such a name.
  for (const std::string &name : names)
    if (!hs::isUtf8Name(name)) {
      std::fprintf(stderr, "hillstrew-export: %s: not a UTF-8 file name; nothing was written\n",
                   hs::shownName(name).c_str());
      return 1;
    }

  for (const std::string *name : {&names[0], &paletteFile})
    if (hs::isIrregularFile(*name)) {
      std::fprintf(stderr, "hillstrew-export: %s: not a regular file; nothing was read\n",
                   hs::shownName(*name).c_str());
      return 1;
    }
  const bool toFile = names.size() == 2 && names[1] != "-";
  if (toFile)
    if (const hs::SaveResult may = hs::mayReplace(names[1]); !may)
      return fail(("hillstrew-export: " + may.why(hs::shownName(names[1]))).c_str());

  hs::Palette pal = hs::defaultPalette();
  if (!paletteFile.empty()) {
    const int r = hs::loadPalette(pal, paletteFile);
    if (r != hs::PaletteLoaded)
      return fail(hs::paletteMessage(r));
  }

  // A tool's document keeps no history: nothing here is ever undone.
  hs::Document document(hs::Document::Recording::Off);
  hs::PlaceDataOpen open;
  const int opened = hs::openPlaceData(document, pal, names[0], {}, &open);
  if (opened != hs::PlaceDataOk)
    return fail(hs::placeDataOpenMessage(opened, open).c_str());
  if (!open.data.mapNotice.empty())
    std::fprintf(stderr, "hillstrew-export: %s\n", open.data.mapNotice.c_str());

  const hs::PovIncludeExporter exporter(hs::fromQtPath(QDir::currentPath()));
  hs::SaveResult written;
  if (toFile) {
    // Links and other spellings of a name count: the device and inode decide.
    const std::pair<const std::string *, const char *> inputs[] = {
        {&names[0], "the place data file"},
        {&document.hfFileName(), "the height field"},
        {&paletteFile, "the palette"}};
    for (const auto &[input, what] : inputs)
      if (hs::sameFile(names[1], *input)) {
        std::fprintf(stderr, "hillstrew-export: %s is %s this export reads; nothing was written\n",
                     hs::shownName(names[1]).c_str(), what);
        return 1;
      }
    written = exporter.write(document, names[1]);
  } else {
    QFile out;
    const bool ok = out.open(stdout, QIODevice::WriteOnly) &&
                    exporter.writeText(document, out, {}) && out.flush();
    written.status = ok ? hs::SaveStatus::Saved : hs::SaveStatus::Failed;
  }
  if (!written) {
    if (written.status != hs::SaveStatus::Failed)
      std::fprintf(stderr, "hillstrew-export: %s\n", written.why(hs::shownName(names[1])).c_str());
    return fail(hs::kSaveIncludeMessage);
  }
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  std::vector<std::string> names;
  std::string paletteFile;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (options && (arg == "--help" || arg == "-h")) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (options && arg == "--") {
      options = false;
    } else if (options && arg == "--palette") {
      if (++i >= argc) {
        std::fputs(kUsage, stderr);
        return 2;
      }
      paletteFile = argv[i];
    } else if (options && arg.rfind("--palette=", 0) == 0) {
      paletteFile = arg.substr(std::strlen("--palette="));
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "hillstrew-export: unknown option %s\n\n%s", arg.c_str(), kUsage);
      return 2;
    } else {
      names.push_back(arg);
    }
  }
  if (names.empty() || names.size() > 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  try {
    return run(names, paletteFile);
  } catch (const std::bad_alloc &) {
    return fail("hillstrew-export: not enough memory; nothing was written");
  }
}
