#pragma once

#include "core/AtomicSave.h"
#include "core/Document.h"

#include <span>
#include <string>

class QIODevice;

namespace hs {

// A file the program writes from a document. An exporter names itself, gives
// its chooser patterns and writes its text; the save around that text is
// always the one atomic save, so a failed save leaves an earlier file as it
// was. Exporters hold no state: make one where it is needed.
class Exporter {
public:
  Exporter() = default;
  Exporter(const Exporter &) = default;
  Exporter &operator=(const Exporter &) = default;
  virtual ~Exporter() = default;

  // What the file is, in a few words.
  virtual const char *name() const = 0;
  // The save chooser's patterns: the file's own ending first ("*.inc"), then "*".
  virtual std::span<const char *const> filters() const = 0;
  // Writes the file's text to device as the file namingFile ("" when it is
  // no file), which decides how it names other files; false when a write
  // failed or the document cannot be written as this file.
  virtual bool writeText(const Document &document, QIODevice &device,
                         const std::string &namingFile) const = 0;

  // Creates or replaces path with the file (saveAtomically).
  SaveResult write(const Document &document, const std::string &path) const;
};

} // namespace hs
