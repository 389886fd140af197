#pragma once

#include "core/Document.h"
#include "io/Exporter.h"

#include <string>
#include <string_view>

class QIODevice;

namespace hs {

inline constexpr const char *kNoFileMessage = "NO file ERROR";
inline constexpr const char *kSaveIncludeMessage = "Save file ERROR";

// Writes the POV include file text: camera, look-at point, height-field name
// and type, scale, water level, smoothing flag, then one array of positions per
// object type that has objects (HS_Obj1..HS_Obj16), each followed, when an
// object of that type has its own turn or size, by arrays of every object's
// turn in degrees and size factor (HS_Turn<n>, HS_Size<n>) in the same order.
// Returns 0, or 1 when the device refuses a write.
int writePovInclude(const Document &document, QIODevice &device);

// The include file as an exporter (" SaveINC", TestPlace.inc, hillstrew-export).
class PovIncludeExporter final : public Exporter {
public:
  const char *name() const override { return "POV include file"; }
  std::span<const char *const> filters() const override { return kFilters; }
  bool writeText(const Document &document, QIODevice &device) const override {
    return writePovInclude(document, device) == 0;
  }

private:
  static constexpr const char *kFilters[] = {"*.inc", "*"};
};

// name made safe inside a POV string: every backslash and double quote gets a
// backslash before it.
std::string povEscaped(std::string_view name);

} // namespace hs
