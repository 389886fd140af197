#include "io/PlaceData.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace hs {
namespace {

// The place data reader as it was before anything followed the objects: five lines, then
// "type,count" sections while they last. Any other line ends it quietly, but a number pair
// starts a section of a type that is none: "Load DAT Data4 ERROR".
int olderReader(const std::string &text, long long &objects) {
  std::istringstream in(text);
  std::string line;
  for (int i = 0; i < 5; ++i)
    if (!std::getline(in, line))
      return PlaceDataBadHeader;
  objects = 0;
  for (int section = 0; section < kObjectTypes && std::getline(in, line); ++section) {
    int type = 0;
    int count = 0;
    if (std::sscanf(line.c_str(), "%d,%d", &type, &count) < 2)
      return PlaceDataOk;
    if (type < 1 || type > kObjectTypes)
      return PlaceDataBadObject;
    for (int k = 0; k < count; ++k, ++objects)
      if (!std::getline(in, line))
        return PlaceDataBadObject;
  }
  return PlaceDataOk;
}

int newerReader(const std::string &text, PlaceData &data) {
  QByteArray bytes = QByteArray::fromStdString(text);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  return readPlaceData(buffer, data, 1000);
}

// Areas come back as saved, behind a blank line that older readers stop at; undo takes them back.
TEST(PlaceAreas, RoundTripAndOlderReaders) {
  Document d;
  d.append(2, 5, 0, 6, AboveGround, 0);
  d.append(15, 7, 0, 8, AboveGround, 0);
  const std::vector<Area> areas = {{{{120, 340}, {130.25, 350}, {-4, 1e-3}}, false},
                                   {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true}};
  d.setAreas(areas);
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  ASSERT_EQ(savePlaceData(d, out), 0);
  const std::string text = out.data().toStdString();
  EXPECT_NE(text.find("\n\nArea 120,340 130.25,350 -4,0.001\nArea fills 0,0 10,0"),
            std::string::npos)
      << text;
  PlaceData back;
  long long older = 0;
  EXPECT_EQ(std::tuple(newerReader(text, back), back.areas, back.objectCount,
                       olderReader(text, older), older),
            std::tuple(int(PlaceDataOk), areas, 2LL, int(PlaceDataOk), 2LL));
  const std::string pair = text.substr(0, text.rfind("\n\n") + 1) + "120,340\n";
  EXPECT_EQ(std::pair(newerReader(pair, back), olderReader(pair, older)),
            std::pair(int(PlaceDataBadObject), int(PlaceDataBadObject)));
  EXPECT_EQ(newerReader(text + "Area 1,2 3,4\n", back), PlaceDataBadObject);
  EXPECT_EQ(newerReader(text + "Later 1,2 3,4\n", back), PlaceDataOk);
  d.stepHistory(false);
  EXPECT_TRUE(d.areas().empty());
}

} // namespace
} // namespace hs
