#include "io/LineReader.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hs {
namespace {

// Every line as text, "<too long>" for an overlong one.
std::vector<std::string> lines(const std::string &text) {
  QByteArray bytes = QByteArray::fromStdString(text);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  LineReader reader(buffer);
  std::vector<std::string> out;
  std::string_view line;
  for (LineReader::Result r; (r = reader.next(line)) != LineReader::End;)
    out.push_back(r == LineReader::Line ? std::string(line) : "<too long>");
  return out;
}

TEST(LineReader, SplitsLinesStripsOneCrAndKeepsALastLineWithoutEnd) {
  EXPECT_EQ(lines(""), std::vector<std::string>{});
  EXPECT_EQ(lines("a\r\n\nb\r\r\nc"), (std::vector<std::string>{"a", "", "b\r", "c"}));
  EXPECT_EQ(lines("x\r"), std::vector<std::string>{"x"});
  EXPECT_EQ(lines(std::string("n\0ul\n", 5)), std::vector<std::string>{std::string("n\0ul", 4)});
}

TEST(LineReader, LinesUpTo4095BytesPassAndLongerOnesAreSkippedWhole) {
  const std::string max(4095, 'm');
  const std::string over(4096, 'o');
  EXPECT_EQ(lines(max + "\r\n" + over + "\nnext\n" + over),
            (std::vector<std::string>{max, "<too long>", "next", "<too long>"}));
  const std::string huge(3'000'000, 'h'); // larger than the reader's buffer
  EXPECT_EQ(lines("a\n" + huge + "\nb\n" + huge),
            (std::vector<std::string>{"a", "<too long>", "b", "<too long>"}));
}

} // namespace
} // namespace hs
