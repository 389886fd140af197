#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

class QIODevice;

namespace hs {

// Longest line our text-file readers take, without its line end.
inline constexpr std::size_t kMaxLineLength = 4095;

// Most a LineReader reads unless told otherwise: far more than any file of
// ours holds, and still an end for an input that never ends.
inline constexpr long long kDefaultReadLimit = 64LL << 20;

// Reads a device line by line through a fixed buffer, so memory stays bounded
// whatever the input holds, and at most readLimit bytes, so time does too.
class LineReader {
public:
  enum Result { Line, TooLong, End };

  explicit LineReader(QIODevice &device, long long readLimit = kDefaultReadLimit);

  // The next line without its "\n" and without one trailing "\r". A line
  // longer than kMaxLineLength gives TooLong (the rest of it is skipped); End
  // means there are no more lines; an input that goes on past the read limit
  // ends in TooLong. line stays valid until the next call.
  Result next(std::string_view &line);

private:
  bool fill();
  QIODevice &device_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  long long left_;
  bool overLimit_ = false;
};

} // namespace hs
