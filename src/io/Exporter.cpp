#include "io/Exporter.h"

namespace hs {

SaveResult Exporter::write(const Document &document, const std::string &path) const {
  return saveAtomically(path, [&](QIODevice &device) { return writeText(document, device, path); });
}

} // namespace hs
