#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace hs {

struct ToolRun {
  int exitCode = -1; // -1 when the program did not end by itself
  QByteArray out;
  QByteArray err;
};

inline ToolRun exportTool(const QStringList &args,
                          const QString &workDir = QStringLiteral(HS_TEST_DATA)) {
  QProcess p;
  p.setWorkingDirectory(workDir);
  p.start(QStringLiteral(HS_EXPORT_TOOL), args);
  ToolRun r;
  if (!p.waitForFinished(30000))
    return r;
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  return r;
}

// Runs argv (found on PATH) in workDir with its arguments as raw bytes, which
// QProcess cannot pass; standard error is caught in a file of workDir.
inline ToolRun runRaw(const std::vector<std::string> &argv, const std::string &workDir) {
  const std::string errFile = workDir + "/.stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
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
  std::ifstream in(errFile, std::ios::binary);
  r.err = QByteArray::fromStdString(
      {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
  ::unlink(errFile.c_str());
  return r;
}

inline QByteArray contents(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace hs
