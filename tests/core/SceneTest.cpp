#include "core/Scene.h"
#include "core/Names.h"

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

} // namespace
} // namespace hs
