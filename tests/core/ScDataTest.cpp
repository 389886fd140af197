#include "core/ScData.h"

#include <gtest/gtest.h>

namespace hs {
namespace {

TEST(ScData, CapacityStartsAtOneAndGrowsByFiveWhenCountReachesIt) {
  ScData list;
  EXPECT_EQ(list.capacity(), 1);
  const int expected[] = {6, 6, 6, 6, 6, 11, 11};
  for (int want : expected) {
    list.append(list.count(), 0, 0, 0, 0);
    EXPECT_EQ(list.capacity(), want) << "after " << list.count() << " appends";
  }
  list.removeAt(1); // later records move down; capacity stays
  EXPECT_EQ(list[1].x, 2);
  EXPECT_EQ(list.capacity(), 11);
}

TEST(ScData, IndexRulesAndStatus) {
  ScData list;
  ScItem out{9, 9, 9, 9, 9};
  EXPECT_EQ(list.getAt(0, out), 1);
  EXPECT_EQ(list.status(), 1);
  list.append(1, 2, 3, 2, 4.5);
  EXPECT_EQ(list.getAt(-1, out), 1);
  EXPECT_EQ(list.status(), 1);
  EXPECT_EQ(out, (ScItem{9, 9, 9, 9, 9})); // untouched on failure
  EXPECT_EQ(list.getAt(0, out), 0);
  EXPECT_EQ(out, (ScItem{1, 2, 3, 2, 4.5}));
  EXPECT_EQ(list.status(), 0);

  list.setAt(1, 0, 0, 0, 0, 0);
  EXPECT_EQ(list.status(), 1);
  list.setAt(0, 7, 8, 9, 0, 1);
  EXPECT_EQ(list[0], (ScItem{7, 8, 9, 0, 1}));

  EXPECT_EQ(list.removeAt(list.count()), 1);
  EXPECT_EQ(list.status(), 1);
  EXPECT_EQ(list.count(), 1);
  EXPECT_EQ(list.removeAt(0), 0);
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.removeAt(0), 1);
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
  a.clear();
  EXPECT_EQ(budget.used, 3);
  ScData kept(b); // copies keep records and capacity, outside the budget
  EXPECT_EQ(kept[1].x, 1);
  EXPECT_EQ(kept.capacity(), b.capacity());
  a = kept;
  EXPECT_EQ(budget.used, 6);
}

} // namespace
} // namespace hs
