#include "core/Scene.h"
#include "core/LRMemoryDC.h"
#include "core/Names.h"
#include "core/ScData.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

namespace hs {
namespace {

void fill(Scene &s) {
  s.objects[0].append(1, 2, 3, 0, 0.5);
  s.objects[15].append(4, 5, 6, 2, 1.5);
  s.objects[15].append(7, 8, 9, 1, 2.5);
}

TEST(Scene, KillAllKeepsTheCameraAndUndoBringsTheKeptSceneBack) {
  Scene s;
  fill(s);
  keep(s);
  s.camera.x = 3;
  killAll(s);
  EXPECT_EQ(s.objectCount(), 0);
  EXPECT_EQ(s.keptObjects[15].count(), 2);
  EXPECT_EQ(s.camera.x, 3); // the camera stays
  undo(s);
  EXPECT_EQ(s.objectCount(), 3);
  EXPECT_EQ(s.camera.x, 200); // the kept camera comes back too
  EXPECT_EQ(s.objects[15][1], (ScItem{7, 8, 9, 1, 2.5}));
  s.objects[15].clear();
  undo(s); // and Undo can be repeated
  EXPECT_EQ(s.objectCount(), 3);
}

// Lets the process grow by only `more` bytes of address space from now on.
[[maybe_unused]] void limitGrowth(long long more) {
  long long pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  const rlim_t limit = static_cast<rlim_t>(pages * sysconf(_SC_PAGESIZE) + more);
  const rlimit r{limit, limit};
  setrlimit(RLIMIT_AS, &r);
}

TEST(Scene, KeepAndUndoThatRunOutOfMemoryChangeNothing) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
#else
  // In a child, so the limit ends with it; each check's failure is one bit.
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    Scene s;
    for (int k = 0; k < 3'000'000; ++k)
      s.objects[3].append(k, 0, 0, 0, 0);
    s.camera.x = 7;
    limitGrowth(32 << 20);
    int failed = 0;
    if (keep(s))
      failed |= 1;
    if (s.keptObjects[3].count() != 0 || s.keptCamera.x != kDefaultCamera.x)
      failed |= 2;
    for (std::size_t t = 0; t < s.objects.size(); ++t)
      s.keptObjects[t].swap(s.objects[t]);
    s.keptCamera.x = 9;
    if (undo(s))
      failed |= 4;
    if (s.objectCount() != 0 || s.camera.x != 7 || s.budget.used != 0)
      failed |= 8;
    _exit(failed);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status)) << "the child was ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
#endif
}

TEST(Names, LongNamesAreRefusedWhole) {
  std::string field = "old";
  EXPECT_FALSE(setName(field, std::string(kMaxNameLength + 1, 'a')));
  EXPECT_EQ(field, "old");
  EXPECT_TRUE(setName(field, std::string(kMaxNameLength, 'a')));
  EXPECT_EQ(field.size(), kMaxNameLength);
}

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
  a.clear();
  EXPECT_EQ(budget.used, 3);
  ScData kept(b); // copies keep records and capacity, outside the budget
  EXPECT_EQ(kept[1].x, 1);
  EXPECT_EQ(kept.capacity(), b.capacity());
  a = kept;
  EXPECT_EQ(budget.used, 6);
}

// Water paints each pixel whose height is at or below the level: blue on a
// Targa map, red + 256 * green on a PPM one (blue ignored), white being the
// top of either; only within the given size, and never past the image.
TEST(PaintAtOrBelow, ComparesTheHeightOfEachMapType) {
  const struct {
    int sixteenBit;
    unsigned level;
    ColourValue pixel;
    bool painted;
  } cases[] = {
      {0, 0, 0x000000, true},      {0, 0, 0x01FFFF, false},    {0, 255, 0xFFFFFF, true},
      {0, 254, 0xFFFFFF, false},   {1, 258, 0xFF0102, true},   {1, 258, 0x000103, false},
      {1, 65534, 0xFFFFFF, false}, {1, 65535, 0xFFFFFF, true}, {1, 0, 0x000000, true},
  };
  for (const auto &c : cases) {
    LRMemoryDC dc(2, 1);
    dc.writePixel(0, 0, c.pixel);
    dc.writePixel(1, 0, c.pixel);
    dc.paintAtOrBelow(1, 50, c.sixteenBit, c.level, 0xABCDEF);
    EXPECT_EQ(dc.pixelAt(0, 0), c.painted ? 0xABCDEFu : c.pixel) << c.sixteenBit << " " << c.level;
    EXPECT_EQ(dc.pixelAt(1, 0), c.pixel); // beyond the given width
  }
}

} // namespace
} // namespace hs
