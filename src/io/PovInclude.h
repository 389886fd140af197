#pragma once

#include "core/AtomicSave.h"
#include "core/Document.h"

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

// Creates or replaces fileName with the include file. The text goes to a
// temporary file first, so a failed save leaves an earlier file untouched.
SaveResult writePovInclude(const Document &document, const std::string &fileName);

// name made safe inside a POV string: every backslash and double quote gets a
// backslash before it.
std::string povEscaped(std::string_view name);

} // namespace hs
