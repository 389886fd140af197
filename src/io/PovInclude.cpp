#include "io/PovInclude.h"

#include "core/RelativeNames.h"
#include "core/TextOut.h"
#include "terrain/Height.h"

#include <QString>

#include <algorithm>

namespace hs {

PovPoint povPoint(const Document &document, const ScItem &item, float cameraY) {
  PovPoint p = toPov(document, item, cameraY);
  // A map one pixel wide or high has nothing to divide by; its only column or
  // row is the centre, so the position there is 0 rather than inf or nan.
  if (document.mapWidth() <= 1)
    p.x = 0.0;
  if (document.mapHeight() <= 1)
    p.z = 0.0;
  return p;
}

namespace {

void writeVector(TextOut &out, const PovPoint &p) {
  out.ch('<').fixed(p.x).ch(',').fixed(p.y).ch(',').fixed(p.z).ch('>');
}

// "#declare NAME<type>=array[n]{" and one element per object of list: a comma
// after every element but the last, a line end after every second one.
template <class WriteElement>
void writeArray(TextOut &out, const char *name, int type, const ScData &list,
                WriteElement writeElement) {
  const int n = list.count();
  out.text("#declare ").text(name).integer(type).text("=array[").integer(n).text("]{\n");
  for (int k = 0; k < n; ++k) {
    writeElement(list[k]);
    if (k < n - 1)
      out.ch(',');
    if (k % 2 == 1)
      out.ch('\n');
  }
  out.text("}\n");
}

} // namespace

std::string povEscaped(std::string_view name) {
  std::string s;
  s.reserve(name.size() + 8);
  for (char c : name) {
    if (c == '\\' || c == '"')
      s.push_back('\\');
    s.push_back(c);
  }
  return s;
}

int writePovInclude(const Document &document, QIODevice &device, const std::string &povFolder) {
  TextOut out(device);

  const PovPoint at = povPoint(document, document.camera(), 0.0f);
  out.text("#declare HS_At= ");
  writeVector(out, at);
  out.text(";\n");
  // Held in single precision, as everything measured against the camera sees it.
  const float cameraPovY = static_cast<float>(at.y);

  out.text("#declare HS_Look= ");
  writeVector(out, povPoint(document, document.lookAt(), cameraPovY));
  out.text(";\n");

  out.text("#declare HS_Hf=\"")
      .text(povEscaped(povFolder.empty() ? document.hfFileName()
                                         : nameWrittenFor(document.hfFileName(), povFolder)))
      .text("\";\n");
  out.text("#declare HS_Hf_typ= ").integer(document.hfType()).text(";\n");
  out.text("#declare HS_Scale= <")
      .fixed(document.scaleX())
      .ch(',')
      .fixed(document.scaleY())
      .ch(',')
      .fixed(document.scaleZ())
      .text(">;\n");
  // A fraction of the 8-bit range whatever the map type, as POV scenes expect.
  out.text("#declare HS_Water= ")
      .fixed(static_cast<double>(document.waterLevel()) / 255)
      .text(";\n");
  out.text("#declare HS_Smooth= ").integer(document.smoothOn()).text(";\n\n");

  for (int t = 0; t < kObjectTypes; ++t) {
    const ScData &list = document.objects()[static_cast<std::size_t>(t)];
    if (list.count() == 0)
      continue;
    writeArray(out, "HS_Obj", t + 1, list,
               [&](const ScItem &item) { writeVector(out, povPoint(document, item, cameraPovY)); });
    // Turns and sizes only for a type that has an object with its own, so a
    // scene without them gives the file it always gave.
    if (std::all_of(list.begin(), list.end(),
                    [](const ScItem &item) { return item.hasDefaultTurnAndSize(); }))
      continue;
    writeArray(out, "HS_Turn", t + 1, list, [&](const ScItem &item) { out.fixed(item.turn); });
    writeArray(out, "HS_Size", t + 1, list, [&](const ScItem &item) { out.fixed(item.size); });
  }
  return out.flush() ? 0 : 1;
}

} // namespace hs
