#include "core/ProgressInput.h"

#include <utility>

namespace hs {

ProgressInput::ProgressInput(QIODevice &source, ProgressReport report)
    : source_(source), report_(std::move(report)) {
  // Unbuffered: the position read here is the source's, so a seek means the
  // same on both.
  open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

bool ProgressInput::seek(qint64 pos) { return QIODevice::seek(pos) && source_.seek(pos); }

qint64 ProgressInput::readData(char *data, qint64 maxSize) {
  if (!cancelled_ && report_) {
    const qint64 whole = source_.size();
    const double done =
        whole > 0 ? static_cast<double>(source_.pos()) / static_cast<double>(whole) : 0.0;
    cancelled_ = !report_(done);
  }
  return cancelled_ ? -1 : source_.read(data, maxSize);
}

} // namespace hs
