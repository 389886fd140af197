#include "core/Document.h"
#include "core/LRMemoryDC.h"
#include "core/Scene.h"
#include "support/DataTable.h"
#include "support/InChild.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace hs {
namespace {

std::vector<double> xs(const ScData &list) {
  std::vector<double> out(static_cast<std::size_t>(list.count()));
  for (int i = 0; i < list.count(); ++i)
    out[static_cast<std::size_t>(i)] = list[i].x;
  return out;
}

class HistoryTest : public ::testing::Test {
protected:
  Document doc;

  void appendAsStep(int type, int n) {
    const HistoryStep step(doc, "Fill");
    for (int i = 0; i < n; ++i)
      doc.append(type, ScItem{double(i), 1.0, double(n - i), AboveGround, 0.0});
  }
  int count(int type) { return doc.objects()[static_cast<std::size_t>(type)].count(); }
  // Undoes (or redoes) up to n steps; how many there were.
  int steps(bool redo, int n = 1'000) {
    int done = 0;
    while (done < n && doc.stepHistory(redo))
      ++done;
    return done;
  }
};

// A fill of N objects holds N records only once undone and they moved into it.
TEST_F(HistoryTest, AStepHoldsWhatChangedNotTheSceneAndTheOldestGoAtTheLimits) {
  constexpr int kFill = 100'000;
  appendAsStep(0, 1'000'000);
  doc.history().clear();
  appendAsStep(0, 1);
  EXPECT_LT(doc.history().newestBytes(), 512U);
  appendAsStep(3, kFill);
  EXPECT_LT(doc.history().newestBytes(), 512U);
  ASSERT_EQ(steps(false, 1), 1);
  // The list's storage, with the room its growth left.
  EXPECT_GE(doc.history().bytes(), kFill * sizeof(ScItem));
  EXPECT_LE(doc.history().bytes(), kFill * sizeof(ScItem) * 2 + 1024U);
  EXPECT_EQ(count(3), 0);
  ASSERT_EQ(steps(true, 1), 1);
  EXPECT_EQ(std::pair(count(3), doc.objects()[3][kFill - 1].x), std::pair(kFill, kFill - 1.0));
  EXPECT_LT(doc.history().bytes(), 2048U);

  doc.history().clear();
  doc.history().setLimits({.steps = 200, .bytes = 10'000 * sizeof(ScItem)});
  for (int type = 4; type < 7; ++type)
    appendAsStep(type, 4'000);
  // Undone, the fills hold their objects, so the step farthest ahead goes.
  ASSERT_EQ(steps(false, 3), 3);
  EXPECT_LE(doc.history().bytes(), 10'000 * sizeof(ScItem));
  EXPECT_EQ(doc.history().stepCount(), 2U);
  EXPECT_EQ(steps(true), 2);
  EXPECT_EQ(std::tuple(count(4), count(5), count(6)), std::tuple(4'000, 4'000, 0));
  doc.history().setLimits({});
  for (int i = 0; i < 205; ++i)
    appendAsStep(7, 1);
  EXPECT_EQ(doc.history().stepCount(), 200U);
  EXPECT_EQ(steps(false), 200);
  EXPECT_EQ(count(7), 5);
}

TEST_F(HistoryTest, StatesNameWhereTheStepsLed) {
  // a: a step, u/r: undo/redo, l: a step at a limit of one, c: clear; then the
  // point before whose name comes back, or -1 for a name never seen.
  const std::pair<char, int> script[] = {{'a', -1}, {'a', -1}, {'u', 1}, {'u', 0}, {'r', 1},
                                         {'a', -1}, {'l', -1}, {'u', 6}, {'r', 7}, {'c', -1}};
  std::vector<std::uint64_t> seen{doc.history().state()};
  for (const auto &[what, back] : script) {
    if (what == 'l')
      doc.history().setLimits({1, std::size_t{1} << 30});
    if (what == 'a' || what == 'l')
      appendAsStep(1, 1);
    else if (what == 'c')
      doc.history().clear();
    else
      ASSERT_TRUE(doc.stepHistory(what == 'r'));
    const std::uint64_t now = doc.history().state();
    EXPECT_TRUE(back < 0 ? std::ranges::count(seen, now) == 0
                         : now == seen[static_cast<std::size_t>(back)])
        << seen.size();
    seen.push_back(now);
  }
}

// Nested steps are one, heard once; appends to a list in a row are heard as one.
// Undo tells the reverse and gives a record changed twice its first version. A
// change with no step open is a step of its own.
TEST_F(HistoryTest, EveryChangeIsRecordedAndHeardOncePerStep) {
  for (int i = 0; i < 3; ++i)
    doc.append(0, ScItem{double(i), 0, 0, AboveGround, 0});
  doc.history().clear();
  std::vector<std::tuple<DocumentChange::Kind, int, int, int, std::vector<std::int32_t>>> heard;
  const int id = doc.addListener([&](const DocumentChange &c) {
    heard.emplace_back(c.kind, c.type, c.first, c.count, c.indices);
  });
  int other = 0;
  const int second = doc.addListener([&](const DocumentChange &) { ++other; });
  {
    const HistoryStep step(doc, "Move All");
    appendAsStep(2, 3);
    EXPECT_TRUE(heard.empty()); // not before the step ends
    doc.setCamera(ScItem{1, 2, 3, AboveGround, 0});
    doc.remove(2, {0, 2});
    for (const auto &[i, x] : {std::pair(0, 10.0), {2, 30.0}, {0, 40.0}})
      doc.change(0, i, ScItem{x, 0, 0, AboveGround, 0});
    EXPECT_EQ(doc.history().stepCount(), 0U);
  }
  using C = DocumentChange;
  EXPECT_EQ(heard, decltype(heard)({{C::Appended, 2, 0, 3, {}},
                                    {C::Camera, -1, 0, 0, {}},
                                    {C::Removed, 2, 0, 2, {0, 2}},
                                    {C::Changed, 0, 0, 1, {0}},
                                    {C::Changed, 0, 0, 1, {2}},
                                    {C::Changed, 0, 0, 1, {0}}}));
  doc.removeListener(second);
  EXPECT_EQ(std::pair(doc.history().stepCount(), doc.history().undoLabel()),
            std::pair(std::size_t{1}, std::string("Move All")));
  ASSERT_EQ(steps(false), 1);
  EXPECT_EQ(xs(doc.objects()[0]), std::vector<double>({0, 1, 2}));
  ASSERT_EQ(steps(true), 1);
  EXPECT_EQ(xs(doc.objects()[0]), std::vector<double>({40, 1, 30}));
  doc.remove(2, {0});
  doc.setWaterLevel(5);
  EXPECT_EQ(std::pair(doc.history().stepCount(), doc.history().undoLabel()),
            std::pair(std::size_t{3}, std::string("Change")));
  heard.clear();
  ASSERT_EQ(steps(false), 3);
  EXPECT_EQ(heard, decltype(heard)({{C::Water, -1, 0, 0, {}},
                                    {C::Inserted, 2, 0, 1, {0}},
                                    {C::Camera, -1, 0, 0, {}},
                                    {C::Changed, 0, 0, 3, {0, 2, 0}},
                                    {C::Inserted, 2, 0, 2, {0, 2}},
                                    {C::Removed, 2, 0, 3, {}}}));
  EXPECT_EQ(std::tuple(other, count(2), doc.waterLevel()), std::tuple(6, 0, 0.0f));
  heard.clear(); // a scatter of two types: a notice a type, not one an object
  {
    const HistoryStep step(doc, "Scatter");
    for (int i = 0; i < 4; ++i)
      doc.append(i % 2 == 0 ? 6 : 5, ScItem{});
  }
  EXPECT_EQ(heard, decltype(heard)({{C::Appended, 6, 0, 2, {}}, {C::Appended, 5, 0, 2, {}}}));
  doc.removeListener(id);
  const std::size_t before = doc.history().stepCount(); // what names no record changes nothing
  doc.remove(0, {1, 0});
  doc.remove(0, {3});
  doc.change(0, 3, ScItem{});
  EXPECT_EQ(doc.append(16, ScItem{}), ScData::BadIndex);
  EXPECT_EQ(std::pair(doc.history().stepCount(), doc.objects()[0].count()), std::pair(before, 3));
  Document tool(Document::Recording::Off);
  tool.append(0, ScItem{});
  tool.setWaterLevel(5);
  EXPECT_EQ(std::pair(tool.history().stepCount(), tool.objectCount()),
            std::pair(std::size_t{0}, 1LL));
}

TEST_F(HistoryTest, KillAllKeepsTheCameraAndUndoBringsTheKeptSceneBack) {
  doc.append(0, 1, 2, 3, 0, 0.5);
  doc.append(15, 4, 5, 6, 2, 1.5);
  doc.append(15, 7, 8, 9, 1, 2.5);
  doc.keep();
  doc.setCamera(ScItem{3, 0, 0, AboveGround, 0});
  doc.killAll(); // the camera stays
  EXPECT_EQ(std::tuple(doc.objectCount(), doc.keptObjects()[15].count(), doc.camera().x),
            std::tuple(0LL, 2, 3.0));
  doc.goBackToKept(); // the kept camera comes back too
  EXPECT_EQ(std::tuple(doc.objectCount(), doc.camera().x, doc.objects()[15][1]),
            std::tuple(3LL, 200.0, ScItem{7, 8, 9, 1, 2.5}));
  doc.remove(15, {0, 1});
  doc.goBackToKept(); // and Undo can be repeated
  EXPECT_EQ(doc.objectCount(), 3);
  steps(false); // undone, the kept copies stay
  EXPECT_EQ(std::pair(doc.objectCount(), count(15) + doc.keptObjects()[15].count()),
            std::pair(0LL, 2));
}

TEST(Scene, KeepAndUndoThatRunOutOfMemoryChangeNothing) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
#else
  const auto keepAndGoBack = [] {
    Document d(Document::Recording::Off);
    for (int k = 0; k < 3'000'000; ++k)
      d.append(3, k, 0, 0, 0, 0);
    int failed = d.keep() ? 0 : 16;
    d.setCamera(ScItem{7, 0, 0, AboveGround, 0});
    test::limitGrowth(32 << 20);
    failed |= d.keep() ? 1 : 0;
    failed |= d.keptObjects()[3].count() != 3'000'000 || d.keptCamera().x != 200 ? 2 : 0;
    d.killAll();
    failed |= d.goBackToKept() ? 4 : 0;
    return failed | (d.objectCount() != 0 || d.camera().x != 7 ? 8 : 0);
  };
  EXPECT_EQ(test::inChild(keepAndGoBack), 0);
#endif
}

TEST(ScData, IndexRulesStatusAndBulkMoves) {
  ScData list;
  ScItem out{9, 9, 9, 9, 9}, got;
  EXPECT_EQ(list.getAt(0, out), 1);
  list.append(1, 2, 3, 2, 4.5);
  EXPECT_EQ(list.getAt(-1, out) + list.status(), 2);
  EXPECT_EQ(out, (ScItem{9, 9, 9, 9, 9})); // untouched on failure
  EXPECT_EQ(list.getAt(0, got) + list.status(), 0);
  list.setAt(1, 0, 0, 0, 0, 0);
  const int status = list.status();
  list.setAt(0, 7, 8, 9, 0, 1);
  EXPECT_EQ(std::tuple(got, status, list[0]),
            std::tuple(ScItem{1, 2, 3, 2, 4.5}, 1, ScItem{7, 8, 9, 0, 1}));
  EXPECT_EQ(list.removeAt(list.count()) + list.status(), 2);
  EXPECT_EQ(list.removeAt(0) + list.count(), 0);
  for (int i = 0; i < 10; ++i)
    list.append(i, 0, 0, 0, 0);
  const std::vector<std::int32_t> at{0, 3, 4, 9};
  std::vector<ScItem> taken;
  list.takeAt(at, taken);
  EXPECT_EQ(xs(list), std::vector<double>({1, 2, 5, 6, 7, 8}));
  list.putAt(at, std::move(taken)); // back where they were
  EXPECT_EQ(xs(list), std::vector<double>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(ScData, BudgetLimitsTheWholeSceneAndFailsLikeOutOfMemory) {
  ItemBudget budget{.limit = 5};
  ScData a(&budget), b(&budget);
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ((i < 3 ? a : b).append(i % 3, 0, 0, 0, 0), i < 5 ? 0 : 1) << i;
  EXPECT_EQ(std::pair(b.status(), b.count()), std::pair(2, 2));
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
    dc.paintRow(0, 0, std::vector<ColourValue>(2, pixel));
    dc.paintAtOrBelow(1, 50, std::stoi(row[0]), static_cast<unsigned>(std::stoul(row[1])),
                      0xABCDEF);
    EXPECT_EQ(std::pair(dc.pixelAt(0, 0), dc.pixelAt(1, 0)), // the second beyond the width
              std::pair(row[3] == "1" ? 0xABCDEFu : pixel, pixel))
        << row[1] << " " << row[2];
  }
}

} // namespace
} // namespace hs
