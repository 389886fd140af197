#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

namespace hs::test {

// Lets the process grow by only `more` bytes of address space from now on.
inline void limitGrowth(long long more) {
  long long pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  const auto limit = static_cast<rlim_t>(pages * sysconf(_SC_PAGESIZE) + more);
  const rlimit r{limit, limit};
  setrlimit(RLIMIT_AS, &r);
}

// Runs check in a forked child and gives what it returned (0 for success, a
// bit for each failed check), or 128 + the signal that ended it.
template <class Check> int inChild(Check check) {
  const pid_t pid = fork();
  if (pid == 0)
    _exit(check());
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid)
    return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace hs::test
