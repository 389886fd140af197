#pragma once

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/DataTable.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace hs {

struct ToolRun {
  int exitCode = -1; // -1 when the program did not end by itself
  std::string out;
  std::string err;
};

// Runs argv (found on PATH) with raw-byte arguments, which QProcess cannot pass.
inline ToolRun runRaw(const std::vector<std::string> &argv, const std::string &workDir) {
  std::FILE *files[] = {std::tmpfile(), std::tmpfile()};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
  for (int fd : {1, 2})
    posix_spawn_file_actions_adddup2(&actions, fileno(files[fd - 1]), fd);
  std::vector<char *> args;
  for (const std::string &a : argv)
    args.push_back(const_cast<char *>(a.c_str()));
  args.push_back(nullptr);
  ToolRun r;
  pid_t pid = 0;
  int status = 0;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0 &&
      waitpid(pid, &status, 0) == pid && WIFEXITED(status))
    r.exitCode = WEXITSTATUS(status);
  posix_spawn_file_actions_destroy(&actions);
  for (std::string *text : {&r.out, &r.err}) {
    std::FILE *file = files[text == &r.out ? 0 : 1];
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;)
      *text += static_cast<char>(c);
    std::fclose(file);
  }
  return r;
}

// Ended after 30 s: a read that blocks fails the test instead of hanging it.
inline ToolRun exportTool(std::vector<std::string> args, const std::string &workDir) {
  args.insert(args.begin(), {"timeout", "30", HS_EXPORT_TOOL});
  return runRaw(args, workDir);
}
inline ToolRun scatterTool(std::vector<std::string> args, const std::string &workDir) {
  args.insert(args.begin(), {"timeout", "30", HS_SCATTER_TOOL});
  return runRaw(args, workDir);
}

// A table's command line: split at spaces, \xHH a byte.
inline std::vector<std::string> words(const std::string &line) {
  std::istringstream in(line);
  std::vector<std::string> out;
  for (std::string word; in >> word;)
    out.push_back(test::unescaped(word));
  return out;
}

} // namespace hs
