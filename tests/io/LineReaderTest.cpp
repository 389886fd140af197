// Here, where the settings, palette and place data readers can all be reached.
#include "core/LineReader.h"
#include "core/Settings.h"
#include "io/PlaceData.h"
#include "terrain/Palette.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace hs {
namespace {

template <class Read> auto fromBytes(const std::string &text, Read read) {
  QByteArray bytes = QByteArray::fromStdString(text);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  return read(buffer);
}

std::vector<std::string> lines(const std::string &text, long long limit = kDefaultReadLimit) {
  return fromBytes(text, [limit](QIODevice &device) {
    LineReader reader(device, limit);
    std::vector<std::string> out;
    std::string_view line;
    for (LineReader::Result r; (r = reader.next(line)) != LineReader::End;)
      out.push_back(r == LineReader::Line ? std::string(line) : "<too long>");
    return out;
  });
}

// Overlong lines are skipped whole; an input that never ends stops at the read limit.
TEST(LineReader, SplitsLinesSkipsOverlongOnesWholeAndStopsAtItsReadLimit) {
  EXPECT_EQ(lines(""), std::vector<std::string>{});
  EXPECT_EQ(lines("a\r\n\nb\r\r\nc"), (std::vector<std::string>{"a", "", "b\r", "c"}));
  EXPECT_EQ(lines("x\r"), std::vector<std::string>{"x"});
  EXPECT_EQ(lines(std::string("n\0ul\n", 5)), std::vector<std::string>{std::string("n\0ul", 4)});
  const std::string huge(3'000'000, 'h'); // larger than the reader's buffer
  EXPECT_EQ(lines("a\n" + huge + "\nb\n" + std::string(4096, 'o') + "\r\nc\n" + huge),
            (std::vector<std::string>{"a", "<too long>", "b", "<too long>", "c", "<too long>"}));
  EXPECT_EQ(lines("ab\ncd\n", 6), (std::vector<std::string>{"ab", "cd"}));
  EXPECT_EQ(lines("ab\ncd", 5), (std::vector<std::string>{"ab", "cd"}));
  EXPECT_EQ(lines("ab\ncd\ne", 6), (std::vector<std::string>{"ab", "cd", "<too long>"}));
  EXPECT_EQ(lines("ab\n" + std::string(20'000, 'x'), 9'000),
            (std::vector<std::string>{"ab", "<too long>"}));
}

// Up to 4095 bytes (the line end not counted) is read whole; longer is never cut or split.
TEST(LongLines, AreABadLineOfEachFile) {
  using Read = std::function<int(QIODevice &)>;
  // The settings reader has no result: this counts the values that stayed.
  const Read settings = [](QIODevice &device) {
    ProgramValues v;
    WindowValues w;
    Document d;
    d.setHfFileName("old");
    w.paletteFileName = "old";
    v.unitsMode = 7;
    readSettings(device, v, w, d);
    return int(d.hfFileName() == "old") + int(v.unitsMode == 7) + int(w.paletteFileName == "old");
  };
  const Read palette = [](QIODevice &device) {
    Palette p;
    return readPalette(device, p);
  };
  const Read place = [](QIODevice &device) {
    PlaceData data;
    return readPlaceData(device, data, 9);
  };
  const std::vector<std::string> ini = {"a", "b", "c", "1", "e", "f"}, pal(256, "1,2,3"),
                                 dat = {"1,2,3,0,0", "4,5,6,0,0", "h.tga",    "1,1,1",
                                        "0,0,0",     "1,1 type",  "7,8,9,0,0"};
  const std::tuple<const std::vector<std::string> &, const Read &, std::vector<std::size_t>, int>
      cases[] = {{ini, settings, {0, 3, 5}, 1},
                 {pal, palette, {0, 255}, PaletteBodyError},
                 {dat, place, {0, 2, 4}, PlaceDataBadHeader},
                 {dat, place, {1}, PlaceDataBadLookAt},
                 {dat, place, {5, 6}, PlaceDataBadObject}};
  for (const auto &[file, read, paddedLines, bad] : cases)
    for (std::size_t padded : paddedLines)
      for (const char *end : {"\n", "\r\n"})
        for (std::size_t length : {4095, 4096}) {
          std::string text;
          for (std::size_t i = 0; i < file.size(); ++i)
            text += file[i] + std::string(i == padded ? length - file[i].size() : 0, ' ') + end;
          EXPECT_EQ(fromBytes(text, read), length == 4095 ? 0 : bad)
              << text.substr(0, 12) << " line " << padded << ", " << length << " bytes";
        }
}

} // namespace
} // namespace hs
