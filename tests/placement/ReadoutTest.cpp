#include "placement/Readout.h"

#include "Fakes.h"
#include "support/DataTable.h"

namespace hs {
namespace {

using Readout = std::tuple<std::string, int, int>;

struct ReadoutFixture : PlacementFixture {
  Readout movedTo(int x, int y) {
    mouseMotion(s, v, x, y);
    return {window.readout, owner.cursorX, owner.cursorY};
  }
  void returnAt(int x, int y) {
    mouseMotion(s, v, x, y);
    keyIn(s, v, Key::Return, false);
  }
};

TEST_F(ReadoutFixture, ReadoutInThreeUnits) {
  for (const auto &row : test::dataTable("readouts.txt")) {
    const std::vector<int> n = test::numbers(row[0]);
    ASSERT_GE(n.size(), 8u) << row[0];
    v.unitsMode = n[0];
    s.document().setScale(n[1], n[2], n[3]);
    s.document().setMap(LRMemoryDC(n[4], n[4]));
    s.document().setHfType(n.size() > 8 ? n[8] : 0);
    EXPECT_EQ(readoutText(s.document(), v, n[5], n[6], n[7]), row[1].substr(1, row[1].size() - 2))
        << row[0];
  }
}

TEST_F(ReadoutFixture, ArrowsStayInsideTheVisibleMap) {
  for (const auto &row : test::dataTable("arrow_nudges.txt")) {
    const std::vector<int> n = test::numbers(row[0]);
    ASSERT_EQ(n.size(), 6u) << row[0];
    std::tie(s.viewWidth, s.viewHeight, s.scrollX, s.scrollY) = std::tuple(n[0], n[1], n[2], n[3]);
    mouseMotion(s, v, n[4], n[5]);
    window.calls.clear();
    for (Key k : {Key::Left, Key::Right, Key::Up, Key::Down, Key::Other})
      keyIn(s, v, k, false);
    EXPECT_EQ(window.calls, Calls(row.begin() + 1, row.end())) << row[0];
  }
}

// The height is the loaded map's decoding even after a failed load changed the file type.
TEST_F(ReadoutFixture, ReturnPlacesAtThePointerInEveryModeEvenOffTheMap) {
  std::tie(v.currentType, s.scrollX, s.viewWidth) = std::tuple(6, 30, 500);
  v.modes.selectTool(DeleteObjects);
  returnAt(10, 20);
  returnAt(450, 10);
  s.document().setHfType(1);
  s.document().setHfFileType(0);
  returnAt(10, 20);
  EXPECT_EQ(std::pair(items(6), v.modes.mode()), std::pair(Items{{40, 60, 20, AboveGround, 0.0},
                                                                 {480, -1, 10, AboveGround, 0.0},
                                                                 {40, 0, 20, AboveGround, 0.0}},
                                                           int(DeleteObjects)));
}

} // namespace
} // namespace hs
