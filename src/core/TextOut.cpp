#include "core/TextOut.h"

#include <QIODevice>

namespace hs {

TextOut::TextOut(QIODevice &device) : device_(device) {
  buffer_.reserve(kBlock + std::size_t{2} * kFixedMaxChars);
}

bool TextOut::flush() {
  if (ok_ && !buffer_.empty()) {
    const auto size = static_cast<qint64>(buffer_.size());
    ok_ = device_.write(buffer_.data(), size) == size;
  }
  buffer_.clear();
  return ok_;
}

} // namespace hs
