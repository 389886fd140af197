// fuzz-links: hs_core
// Any bytes as a settings file: reading must end, keep names within the
// program's limit, and what it read must write out and read back the same.
#include "core/Names.h"
#include "core/Settings.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <initializer_list>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  QBuffer in(&bytes);
  in.open(QIODevice::ReadOnly);
  hs::ProgramValues values;
  hs::WindowValues window;
  hs::Document document(hs::Document::Recording::Off);
  hs::readSettings(in, values, window, document);
  for (const std::string *s : std::initializer_list<const std::string *>{
           &document.hfFileName(), &window.dataFileName, &values.povFileName, &values.enginePath,
           &window.paletteFileName})
    if (s->size() > hs::kMaxNameLength || s->find('\n') != std::string::npos)
      __builtin_trap();

  QBuffer out;
  out.open(QIODevice::WriteOnly);
  if (!hs::writeSettings(out, values, window, document))
    __builtin_trap();
  QByteArray written = out.data();
  QBuffer again(&written);
  again.open(QIODevice::ReadOnly);
  hs::ProgramValues v2;
  hs::WindowValues w2;
  hs::Document d2(hs::Document::Recording::Off);
  hs::readSettings(again, v2, w2, d2);
  // A trailing CR is taken off when read, so compare without it.
  auto same = [](std::string a, const std::string &b) {
    if (!a.empty() && a.back() == '\r')
      a.pop_back();
    return a == b;
  };
  if (!same(document.hfFileName(), d2.hfFileName()) || !same(values.enginePath, v2.enginePath) ||
      !same(window.paletteFileName, w2.paletteFileName) || v2.unitsMode != values.unitsMode)
    __builtin_trap();
  return 0;
}
