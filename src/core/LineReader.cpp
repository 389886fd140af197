#include "core/LineReader.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace hs {

namespace {
constexpr std::size_t kBufferSize = 1 << 18;
// A line, its "\r" and its "\n".
constexpr std::size_t kWindow = kMaxLineLength + 2;
} // namespace

namespace {
// Small inputs get a small buffer; it always holds at least two longest lines.
std::size_t bufferSizeFor(const QIODevice &device) {
  if (device.isSequential())
    return kBufferSize;
  const qint64 left = device.size() - device.pos() + 1;
  if (left >= static_cast<qint64>(kBufferSize))
    return kBufferSize;
  return std::max(static_cast<std::size_t>(left < 0 ? 0 : left), 2 * kWindow);
}
} // namespace

LineReader::LineReader(QIODevice &device, long long readLimit)
    : device_(device), buffer_(bufferSizeFor(device)), left_(readLimit) {}

bool LineReader::fill() {
  if (eof_)
    return false;
  if (pos_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
  }
  if (left_ <= 0) {
    // One byte more tells an input that ends at the limit from one that goes on.
    char probe = 0;
    overLimit_ = device_.read(&probe, 1) > 0;
    eof_ = true;
    return false;
  }
  const qint64 room = static_cast<qint64>(buffer_.size() - end_);
  const qint64 n = device_.read(buffer_.data() + end_, std::min<qint64>(room, left_));
  if (n <= 0) {
    eof_ = true;
    return false;
  }
  end_ += static_cast<std::size_t>(n);
  left_ -= n;
  return true;
}

LineReader::Result LineReader::next(std::string_view &line) {
  for (;;) {
    const std::size_t avail = end_ - pos_;
    const std::size_t window = avail < kWindow ? avail : kWindow;
    const char *start = buffer_.data() + pos_;
    const auto *nl = static_cast<const char *>(std::memchr(start, '\n', window));
    if (nl) {
      std::size_t len = static_cast<std::size_t>(nl - start);
      pos_ += len + 1;
      if (len > 0 && start[len - 1] == '\r')
        --len;
      if (len > kMaxLineLength)
        return TooLong;
      line = std::string_view(start, len);
      return Line;
    }
    if (window == kWindow) {
      // No line end within reach: skip to the next one.
      for (;;) {
        const auto *skip =
            static_cast<const char *>(std::memchr(buffer_.data() + pos_, '\n', end_ - pos_));
        if (skip) {
          pos_ = static_cast<std::size_t>(skip - buffer_.data()) + 1;
          return TooLong;
        }
        pos_ = end_;
        if (!fill()) {
          overLimit_ = false; // this line was the rest of the input
          return TooLong;
        }
      }
    }
    if (!fill()) {
      if (overLimit_) {
        overLimit_ = false; // once; after it the input has ended
        pos_ = end_;
        return TooLong;
      }
      // The last line may lack its line end.
      start = buffer_.data() + pos_;
      std::size_t len = end_ - pos_;
      if (len == 0)
        return End;
      pos_ = end_;
      if (start[len - 1] == '\r')
        --len;
      line = std::string_view(start, len);
      return len > kMaxLineLength ? TooLong : Line;
    }
  }
}

} // namespace hs
