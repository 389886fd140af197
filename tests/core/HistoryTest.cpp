#include "core/Document.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace hs {
namespace {

class HistoryTest : public ::testing::Test {
protected:
  Document doc;

  void appendAsStep(int type, int n) {
    const HistoryStep step(doc, "Fill");
    for (int i = 0; i < n; ++i)
      doc.append(type, ScItem{double(i), 1.0, double(n - i), AboveGround, 0.0});
  }
};

// A fill of N objects holds N records only once undone and they moved into it.
TEST_F(HistoryTest, AStepHoldsWhatChangedNotTheScene) {
  constexpr int kScene = 1'000'000;
  constexpr int kFill = 100'000;
  appendAsStep(0, kScene);
  doc.history().clear();
  appendAsStep(0, 1);
  EXPECT_LT(doc.history().newestBytes(), 512U);
  appendAsStep(3, kFill);
  EXPECT_LT(doc.history().newestBytes(), 512U);
  ASSERT_TRUE(doc.stepHistory(false));
  // The list's storage, with the room its growth left.
  EXPECT_GE(doc.history().bytes(), kFill * sizeof(ScItem));
  EXPECT_LE(doc.history().bytes(), 2 * kFill * sizeof(ScItem) + 1024U);
  EXPECT_EQ(doc.objects()[3].count(), 0);
  ASSERT_TRUE(doc.stepHistory(true));
  EXPECT_EQ(doc.objects()[3].count(), kFill);
  EXPECT_EQ(doc.objects()[3][kFill - 1].x, kFill - 1);
  EXPECT_LT(doc.history().bytes(), 2048U);
}

TEST_F(HistoryTest, TheOldestStepsGoAtTheStepLimit) {
  for (int i = 0; i < 205; ++i)
    appendAsStep(i % kObjectTypes, 1);
  EXPECT_EQ(doc.history().stepCount(), 200U);
  int undone = 0;
  while (doc.stepHistory(false))
    ++undone;
  EXPECT_EQ(undone, 200);
  EXPECT_EQ(doc.objectCount(), 5);
}

TEST_F(HistoryTest, TheOldestStepsGoAtTheByteLimit) {
  doc.history().setLimits({.steps = 200, .bytes = 10'000 * sizeof(ScItem)});
  appendAsStep(0, 4'000);
  appendAsStep(1, 4'000);
  appendAsStep(2, 4'000);
  // Undone, the fills hold their objects, so the step farthest ahead goes.
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(doc.stepHistory(false));
  EXPECT_LE(doc.history().bytes(), 10'000 * sizeof(ScItem));
  EXPECT_EQ(doc.history().stepCount(), 2U);
  EXPECT_TRUE(doc.stepHistory(true));
  EXPECT_TRUE(doc.stepHistory(true));
  EXPECT_FALSE(doc.stepHistory(true));
  EXPECT_EQ(
      std::tuple(doc.objects()[0].count(), doc.objects()[1].count(), doc.objects()[2].count()),
      std::tuple(4'000, 4'000, 0));
}

// A new step after an undo, a dropped oldest step and a clear give names never seen.
TEST_F(HistoryTest, StatesNameWhereTheStepsLed) {
  const std::uint64_t start = doc.history().state();
  appendAsStep(0, 1);
  const std::uint64_t one = doc.history().state();
  appendAsStep(0, 1);
  const std::uint64_t two = doc.history().state();
  ASSERT_TRUE(doc.stepHistory(false));
  EXPECT_EQ(doc.history().state(), one);
  ASSERT_TRUE(doc.stepHistory(false));
  EXPECT_EQ(doc.history().state(), start);
  ASSERT_TRUE(doc.stepHistory(true));
  EXPECT_EQ(doc.history().state(), one);
  appendAsStep(1, 1); // the redo step goes
  const std::uint64_t other = doc.history().state();
  EXPECT_TRUE(other != two && other != one && other != start);
  doc.history().setLimits({1, std::size_t{1} << 30});
  appendAsStep(1, 1); // the oldest steps go; undoing all leads to where they led
  const std::uint64_t last = doc.history().state();
  ASSERT_TRUE(doc.stepHistory(false));
  EXPECT_EQ(doc.history().state(), other);
  ASSERT_TRUE(doc.stepHistory(true));
  EXPECT_EQ(doc.history().state(), last);
  doc.history().clear();
  EXPECT_TRUE(doc.history().state() != last && doc.history().state() != other);
}

// Nested steps are one; undo gives a record changed twice its first version.
TEST_F(HistoryTest, ChangedRecordsOfSeveralListsComeBackAsOneStep) {
  for (int t : {0, 2})
    for (int i = 0; i < 3; ++i)
      doc.append(t, ScItem{double(i), 0, double(t), AboveGround, 0});
  doc.history().clear();
  auto change = [&](int t, int i, double x) {
    ScItem item = doc.objects()[static_cast<std::size_t>(t)][i];
    item.x = x;
    doc.change(t, i, item);
  };
  {
    const HistoryStep outer(doc, "Move All");
    {
      const HistoryStep inner(doc, "Move");
      change(0, 0, 10);
      change(2, 1, 20);
    }
    EXPECT_EQ(doc.history().stepCount(), 0U); // the outer step is still open
    change(0, 2, 30);
    change(0, 0, 40);
  }
  EXPECT_EQ(std::pair(doc.history().stepCount(), doc.history().undoLabel()),
            std::pair(std::size_t{1}, std::string("Move All")));
  ASSERT_TRUE(doc.stepHistory(false));
  for (int t : {0, 2})
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(doc.objects()[static_cast<std::size_t>(t)][i].x, double(i)) << t << "," << i;
  ASSERT_TRUE(doc.stepHistory(true));
  EXPECT_EQ(std::tuple(doc.objects()[0][0].x, doc.objects()[0][2].x, doc.objects()[2][1].x),
            std::tuple(40.0, 30.0, 20.0));
}

TEST(ScDataBulk, TakeAtAndPutAtAreInverse) {
  ScData list;
  for (int i = 0; i < 10; ++i)
    list.append(ScItem{double(i), 0.0, 0.0, AboveGround, 0.0});
  const std::vector<std::int32_t> at{0, 3, 4, 9};
  std::vector<ScItem> taken;
  list.takeAt(at, taken);
  ASSERT_EQ(list.count(), 6);
  EXPECT_EQ(std::vector<double>({list[0].x, list[1].x, list[5].x}), std::vector<double>({1, 2, 8}));
  list.putAt(at, std::move(taken));
  ASSERT_EQ(list.count(), 10);
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(list[i].x, i);
}

// A change with no step open is a step of its own.
TEST_F(HistoryTest, EveryChangeIsRecorded) {
  appendAsStep(0, 3);
  doc.remove(0, {0});
  doc.setWaterLevel(5);
  EXPECT_EQ(std::pair(doc.history().stepCount(), doc.history().undoLabel()),
            std::pair(std::size_t{3}, std::string("Change")));
  ASSERT_TRUE(doc.stepHistory(false));
  ASSERT_TRUE(doc.stepHistory(false));
  EXPECT_EQ(std::pair(doc.objects()[0].count(), doc.waterLevel()), std::pair(3, 0.0f));
  Document tool(Document::Recording::Off);
  tool.append(0, ScItem{});
  tool.setWaterLevel(5);
  EXPECT_EQ(std::pair(tool.history().stepCount(), tool.objectCount()),
            std::pair(std::size_t{0}, 1LL));
}

// Appends to a list in a row are heard as one; undo tells the reverse.
TEST_F(HistoryTest, ListenersHearWhatChangedOncePerStep) {
  std::vector<std::tuple<DocumentChange::Kind, int, int, int, std::vector<std::int32_t>>> heard;
  const int id = doc.addListener([&](const DocumentChange &c) {
    heard.emplace_back(c.kind, c.type, c.first, c.count, c.indices);
  });
  int other = 0;
  const int second = doc.addListener([&](const DocumentChange &) { ++other; });
  {
    const HistoryStep step(doc, "Fill");
    appendAsStep(2, 3);
    EXPECT_TRUE(heard.empty()); // not before the step ends
    doc.setCamera(ScItem{1, 2, 3, AboveGround, 0});
    doc.remove(2, {0, 2});
  }
  using C = DocumentChange;
  EXPECT_EQ(heard, decltype(heard)({{C::Appended, 2, 0, 3, {}},
                                    {C::Camera, -1, 0, 0, {}},
                                    {C::Removed, 2, 0, 2, {0, 2}}}));
  EXPECT_EQ(other, 3);
  doc.removeListener(second);
  heard.clear();
  ASSERT_TRUE(doc.stepHistory(false));
  EXPECT_EQ(heard, decltype(heard)({{C::Camera, -1, 0, 0, {}},
                                    {C::Inserted, 2, 0, 2, {0, 2}},
                                    {C::Removed, 2, 0, 3, {}}}));
  EXPECT_EQ(other, 3);
  doc.removeListener(id);
}

} // namespace
} // namespace hs
