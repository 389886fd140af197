#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

class QIODevice;

namespace hs {

// Longest line our text-file readers take, without its line end.
inline constexpr std::size_t kMaxLineLength = 4095;

// Reads a device line by line through a fixed buffer, so memory stays bounded
// whatever the input holds.
class LineReader {
public:
  enum Result { Line, TooLong, End };

  explicit LineReader(QIODevice &device);

  // The next line without its "\n" and without one trailing "\r". A line
  // longer than kMaxLineLength gives TooLong (the rest of it is skipped); End
  // means there are no more lines. line stays valid until the next call.
  Result next(std::string_view &line);

private:
  bool fill();
  QIODevice &device_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
};

} // namespace hs
