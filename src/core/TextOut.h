#pragma once

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

class QIODevice;

namespace hs {

// Room for any double in six-decimal fixed notation (DBL_MAX has 309 digits).
inline constexpr int kFixedMaxChars = 330;

// Writes v as printf's "%f" does: fixed notation, six decimals, "-0.000000" for
// negative zero, "inf", "-inf", "nan" and "-nan" alike. std::to_chars with a
// precision is defined as printf in the C locale, so the digits are the same,
// whatever the program's locale is.
inline char *appendFixed6(char *out, double v) {
  return std::to_chars(out, out + kFixedMaxChars, v, std::chars_format::fixed, 6).ptr;
}

// Buffers text and hands it to a device in large blocks. Errors are sticky:
// once a write fails, or a number cannot be written, ok() stays false and
// later text is dropped.
class TextOut {
public:
  explicit TextOut(QIODevice &device);
  ~TextOut() { flush(); }
  TextOut(const TextOut &) = delete;
  TextOut &operator=(const TextOut &) = delete;

  TextOut &text(std::string_view s) {
    buffer_.append(s);
    maybeFlush();
    return *this;
  }
  // A number that is not finite (nan, inf) fails the text: no reader of our
  // files, POV-Ray included, would take it back.
  TextOut &fixed(double v) {
    if (!std::isfinite(v)) {
      ok_ = false;
      return *this;
    }
    char tmp[kFixedMaxChars];
    buffer_.append(tmp, appendFixed6(tmp, v));
    maybeFlush();
    return *this;
  }
  TextOut &integer(long long v) {
    char tmp[24];
    buffer_.append(tmp, std::to_chars(tmp, tmp + sizeof tmp, v).ptr);
    return *this;
  }
  TextOut &ch(char c) {
    buffer_.push_back(c);
    return *this;
  }
  // Writes out what is buffered; returns ok().
  bool flush();
  bool ok() const { return ok_; }

private:
  void maybeFlush() {
    if (buffer_.size() >= kBlock)
      flush();
  }
  static constexpr std::size_t kBlock = 1 << 16;
  QIODevice &device_;
  std::string buffer_;
  bool ok_ = true;
};

} // namespace hs
