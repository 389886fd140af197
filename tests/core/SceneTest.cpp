#include "core/Scene.h"
#include "core/LRMemoryDC.h"
#include "core/ScData.h"
#include "support/DataTable.h"
#include "support/InChild.h"

#include <gtest/gtest.h>

#include <tuple>

namespace hs {
namespace {

TEST(Scene, KillAllKeepsTheCameraAndUndoBringsTheKeptSceneBack) {
  Document d;
  d.append(0, 1, 2, 3, 0, 0.5);
  d.append(15, 4, 5, 6, 2, 1.5);
  d.append(15, 7, 8, 9, 1, 2.5);
  d.keep();
  d.setCamera(ScItem{3, 0, 0, AboveGround, 0});
  d.killAll();
  EXPECT_EQ(d.objectCount(), 0);
  EXPECT_EQ(d.keptObjects()[15].count(), 2);
  EXPECT_EQ(d.camera().x, 3); // the camera stays
  d.goBackToKept();
  EXPECT_EQ(d.objectCount(), 3);
  EXPECT_EQ(d.camera().x, 200); // the kept camera comes back too
  EXPECT_EQ(d.objects()[15][1], (ScItem{7, 8, 9, 1, 2.5}));
  d.remove(15, {0, 1});
  d.goBackToKept(); // and Undo can be repeated
  EXPECT_EQ(d.objectCount(), 3);
  // Undone, the kept copies stay.
  while (d.stepHistory(false)) {
  }
  EXPECT_EQ(std::pair(d.objectCount(), d.keptObjects()[15].count()), std::pair(0LL, 2));
}

TEST(Scene, KeepAndUndoThatRunOutOfMemoryChangeNothing) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
#else
  EXPECT_EQ(test::inChild([] {
              Document d(Document::Recording::Off);
              for (int k = 0; k < 3'000'000; ++k)
                d.append(3, k, 0, 0, 0, 0);
              int failed = d.keep() ? 0 : 16;
              d.setCamera(ScItem{7, 0, 0, AboveGround, 0});
              test::limitGrowth(32 << 20);
              failed |= d.keep() ? 1 : 0;
              failed |=
                  d.keptObjects()[3].count() != 3'000'000 || d.keptCamera().x != kDefaultCamera.x
                      ? 2
                      : 0;
              d.killAll();
              failed |= d.goBackToKept() ? 4 : 0;
              failed |= d.objectCount() != 0 || d.camera().x != 7 ? 8 : 0;
              return failed;
            }),
            0);
#endif
}

TEST(ScData, IndexRulesAndStatus) {
  ScData list;
  ScItem out{9, 9, 9, 9, 9};
  EXPECT_EQ(list.getAt(0, out), 1);
  list.append(1, 2, 3, 2, 4.5);
  EXPECT_EQ(list.getAt(-1, out) + list.status(), 2);
  EXPECT_EQ(out, (ScItem{9, 9, 9, 9, 9})); // untouched on failure
  EXPECT_EQ(list.getAt(0, out) + list.status(), 0);
  EXPECT_EQ(out, (ScItem{1, 2, 3, 2, 4.5}));
  list.setAt(1, 0, 0, 0, 0, 0);
  EXPECT_EQ(list.status(), 1);
  list.setAt(0, 7, 8, 9, 0, 1);
  EXPECT_EQ(list[0], (ScItem{7, 8, 9, 0, 1}));
  EXPECT_EQ(list.removeAt(list.count()) + list.status(), 2);
  EXPECT_EQ(list.removeAt(0), 0);
  EXPECT_EQ(list.count(), 0);
}

TEST(ScData, BudgetLimitsTheWholeSceneAndFailsLikeOutOfMemory) {
  ItemBudget budget;
  budget.limit = 5;
  ScData a(&budget), b(&budget);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(a.append(i, 0, 0, 0, 0), 0);
  EXPECT_EQ(b.append(0, 0, 0, 0, 0), 0);
  EXPECT_EQ(b.append(1, 0, 0, 0, 0), 0);
  EXPECT_EQ(b.append(2, 0, 0, 0, 0), 1);
  EXPECT_EQ(b.status(), 2);
  EXPECT_EQ(b.count(), 2);
  a.removeAt(0);
  EXPECT_EQ(b.append(2, 0, 0, 0, 0), 0);
  ScData kept(b); // copies keep records and capacity, outside the budget
  EXPECT_EQ(std::tuple(kept[1].x, kept.capacity(), budget.used), std::tuple(1, b.capacity(), 5));
  a = kept; // two records replaced by three
  EXPECT_EQ(budget.used, 6);
}

TEST(PaintAtOrBelow, ComparesTheHeightOfEachMapType) {
  for (const auto &row : test::dataTable("paint_at_or_below.txt")) {
    const auto pixel = static_cast<ColourValue>(std::stoul(row[2], nullptr, 16));
    LRMemoryDC dc(2, 1);
    dc.writePixel(0, 0, pixel);
    dc.writePixel(1, 0, pixel);
    dc.paintAtOrBelow(1, 50, std::stoi(row[0]), static_cast<unsigned>(std::stoul(row[1])),
                      0xABCDEF);
    EXPECT_EQ(dc.pixelAt(0, 0), row[3] == "1" ? 0xABCDEFu : pixel) << row[1] << " " << row[2];
    EXPECT_EQ(dc.pixelAt(1, 0), pixel); // beyond the given width
  }
}

} // namespace
} // namespace hs
