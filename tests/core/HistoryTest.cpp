// What the history holds and how much: a step keeps what changed, never the
// scene, and the oldest steps go at the step or byte limit.
#include "core/Document.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace hs {
namespace {

class HistoryTest : public ::testing::Test {
protected:
  Document doc;
  ProgramValues values;
  WindowValues window;

  void appendAsStep(int type, int n) {
    const HistoryStep step("Fill", doc, values, window);
    ScData &list = doc.objects[static_cast<std::size_t>(type)];
    for (int i = 0; i < n; ++i)
      list.append(ScItem{double(i), 1.0, double(n - i), AboveGround, 0.0});
  }
};

// A step over a large scene holds only what it changed: one placement a few
// bytes while its object is in the list, a fill of N objects N records once it
// is undone and they have moved into it.
TEST_F(HistoryTest, AStepHoldsWhatChangedNotTheScene) {
  constexpr int kScene = 1'000'000;
  constexpr int kFill = 100'000;
  doc.objects[0].reserve(kScene + 1);
  for (int i = 0; i < kScene; ++i)
    doc.objects[0].append(ScItem{double(i), 0.0, 0.0, AboveGround, 0.0});
  appendAsStep(0, 1);
  EXPECT_LT(doc.history.newestBytes(), 512U);
  appendAsStep(3, kFill);
  EXPECT_LT(doc.history.newestBytes(), 512U);
  ASSERT_TRUE(doc.history.undo(doc, values, window));
  // The list's own storage moved into the step, with the room its growth
  // left, so at most twice the records.
  EXPECT_GE(doc.history.bytes(), kFill * sizeof(ScItem));
  EXPECT_LE(doc.history.bytes(), 2 * kFill * sizeof(ScItem) + 1024U);
  EXPECT_EQ(doc.objects[3].count(), 0);
  ASSERT_TRUE(doc.history.redo(doc, values, window));
  EXPECT_EQ(doc.objects[3].count(), kFill);
  EXPECT_EQ(doc.objects[3][kFill - 1].x, kFill - 1);
  EXPECT_LT(doc.history.bytes(), 2048U);
}

TEST_F(HistoryTest, TheOldestStepsGoAtTheStepLimit) {
  for (int i = 0; i < 205; ++i)
    appendAsStep(i % kObjectTypes, 1);
  EXPECT_EQ(doc.history.stepCount(), 200U);
  int undone = 0;
  while (doc.history.undo(doc, values, window))
    ++undone;
  EXPECT_EQ(undone, 200);
  // The first five placements are no longer steps: they stay.
  EXPECT_EQ(doc.objectCount(), 5);
}

TEST_F(HistoryTest, TheOldestStepsGoAtTheByteLimit) {
  doc.history.setLimits({.steps = 200, .bytes = 10'000 * sizeof(ScItem)});
  appendAsStep(0, 4'000);
  appendAsStep(1, 4'000);
  appendAsStep(2, 4'000);
  // While done, the fills hold nearly nothing; undone, they hold their
  // objects, and once they hold too much the step farthest ahead goes.
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(doc.history.undo(doc, values, window));
  EXPECT_LE(doc.history.bytes(), 10'000 * sizeof(ScItem));
  EXPECT_EQ(doc.history.stepCount(), 2U);
  EXPECT_TRUE(doc.history.redo(doc, values, window));
  EXPECT_TRUE(doc.history.redo(doc, values, window));
  EXPECT_FALSE(doc.history.redo(doc, values, window));
  EXPECT_EQ(std::tuple(doc.objects[0].count(), doc.objects[1].count(), doc.objects[2].count()),
            std::tuple(4'000, 4'000, 0));
}

// Removing at scattered indices and putting back gives the list as it was.
// The state names what the steps led to: back and forth to a state gives its
// name again; a new step after an undo, a dropped oldest step and an emptied
// history give names never seen.
TEST_F(HistoryTest, StatesNameWhereTheStepsLed) {
  const std::uint64_t start = doc.history.state();
  appendAsStep(0, 1);
  const std::uint64_t one = doc.history.state();
  appendAsStep(0, 1);
  const std::uint64_t two = doc.history.state();
  ASSERT_TRUE(doc.history.undo(doc, values, window));
  EXPECT_EQ(doc.history.state(), one);
  ASSERT_TRUE(doc.history.undo(doc, values, window));
  EXPECT_EQ(doc.history.state(), start);
  ASSERT_TRUE(doc.history.redo(doc, values, window));
  EXPECT_EQ(doc.history.state(), one);
  appendAsStep(1, 1); // the redo step goes
  const std::uint64_t other = doc.history.state();
  EXPECT_TRUE(other != two && other != one && other != start);
  doc.history.setLimits({1, std::size_t{1} << 30});
  appendAsStep(1, 1); // the oldest steps go; undoing all leads to where they led
  const std::uint64_t last = doc.history.state();
  ASSERT_TRUE(doc.history.undo(doc, values, window));
  EXPECT_EQ(doc.history.state(), other);
  ASSERT_TRUE(doc.history.redo(doc, values, window));
  EXPECT_EQ(doc.history.state(), last);
  doc.history.clear();
  EXPECT_TRUE(doc.history.state() != last && doc.history.state() != other);
}

// Changes to records of several lists, one record changed twice, inside
// nested steps: one step, and undo gives every record its first version back.
TEST_F(HistoryTest, ChangedRecordsOfSeveralListsComeBackAsOneStep) {
  for (int t : {0, 2})
    for (int i = 0; i < 3; ++i)
      doc.objects[static_cast<std::size_t>(t)].append(
          ScItem{double(i), 0, double(t), AboveGround, 0});
  auto change = [&](int t, int i, double x) {
    ScData &list = doc.objects[static_cast<std::size_t>(t)];
    doc.history.changing(t, i, list[i]);
    list[i].x = x;
  };
  {
    const HistoryStep outer("Move All", doc, values, window);
    {
      const HistoryStep inner("Move", doc, values, window);
      change(0, 0, 10);
      change(2, 1, 20);
    }
    EXPECT_EQ(doc.history.stepCount(), 0U); // the outer step is still open
    change(0, 2, 30);
    change(0, 0, 40);
  }
  EXPECT_EQ(std::pair(doc.history.stepCount(), doc.history.undoLabel()),
            std::pair(std::size_t{1}, std::string("Move All")));
  ASSERT_TRUE(doc.history.undo(doc, values, window));
  for (int t : {0, 2})
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(doc.objects[static_cast<std::size_t>(t)][i].x, double(i)) << t << "," << i;
  ASSERT_TRUE(doc.history.redo(doc, values, window));
  EXPECT_EQ(std::tuple(doc.objects[0][0].x, doc.objects[0][2].x, doc.objects[2][1].x),
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

// A record removed without the history knowing makes the steps meaningless:
// the history empties rather than undo into a wrong scene.
TEST_F(HistoryTest, AnUnrecordedChangeEmptiesTheHistory) {
  appendAsStep(0, 3);
  doc.objects[0].removeAt(0);
  EXPECT_FALSE(doc.history.undo(doc, values, window));
  EXPECT_EQ(doc.history.stepCount(), 0U);
  EXPECT_EQ(doc.objects[0].count(), 2);
}

} // namespace
} // namespace hs
