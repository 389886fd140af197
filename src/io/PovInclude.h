#pragma once

#include "core/Document.h"
#include "io/Exporter.h"
#include "terrain/Height.h"

#include <string>
#include <string_view>
#include <utility>

class QIODevice;

namespace hs {

inline constexpr const char *kNoFileMessage = "NO file ERROR";
inline constexpr const char *kSaveIncludeMessage = "Save file ERROR";

// Where the include puts an item (toPov; on a map one pixel wide or high its
// only column or row is at the centre).
PovPoint povPoint(const Document &document, const ScItem &item, float cameraY);

// Writes the POV include file text: camera, look-at point, height-field name
// and type, scale, water level, smoothing flag, then one array of positions per
// object type that has objects (HS_Obj1..HS_Obj16), each followed, when an
// object of that type has its own turn or size, by arrays of every object's
// turn in degrees and size factor (HS_Turn<n>, HS_Size<n>) in the same order.
// The map is named absolute, as POV-Ray finds a relative name against its own
// working folder, except that with povFolder given (the folder POV-Ray runs
// in) a map there or below is named relative to it.
// Returns 0, or 1 when the device refuses a write.
int writePovInclude(const Document &document, QIODevice &device, const std::string &povFolder = {});

// The include file as an exporter (" SaveINC", TestPlace.inc, hillstrew-export),
// naming the map as writePovInclude does for povFolder.
class PovIncludeExporter final : public Exporter {
public:
  explicit PovIncludeExporter(std::string povFolder = {}) : povFolder_(std::move(povFolder)) {}
  const char *name() const override { return "POV include file"; }
  std::span<const char *const> filters() const override { return kFilters; }
  bool writeText(const Document &document, QIODevice &device,
                 const std::string & /*namingFile*/) const override {
    return writePovInclude(document, device, povFolder_) == 0;
  }

private:
  static constexpr const char *kFilters[] = {"*.inc", "*"};
  std::string povFolder_;
};

// name made safe inside a POV string: every backslash and double quote gets a
// backslash before it.
std::string povEscaped(std::string_view name);

} // namespace hs
